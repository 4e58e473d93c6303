#pragma once
#include "util_rez/output/ooxml/feuille_ooxml.h"

#include <QByteArray>
#include <QString>

// The first sheet of an Office Open XML workbook, filled in memory and written back as a
// whole package. Only the cells written change: each keeps its style, every other cell and
// every other part of the package stays byte for byte.
class ClasseurOoxml {
  public:
    // Throws ErreurTableur(PasClasseur) when `chemin` is not such a workbook, (TropGrand) when a
    // part it reads unpacks beyond what is read or the package holds too many parts.
    explicit ClasseurOoxml(const QString& chemin);

    // A text or number cell; an empty text leaves the cell empty.
    void ecrit(int ligne, int colonne, const ValeurCellule& valeur);

    // Writes to a temporary file beside `vers`, renamed over it once complete, so a reader
    // never meets half a workbook. False with the reason when it cannot.
    bool enregistre(const QString& vers, QString& raison) const;

    const QString& partie_feuille() const { return feuille_; }

  private:
    QString source_;
    QString feuille_;
    QByteArray xml_;
    CellulesFeuille cellules_;
};
