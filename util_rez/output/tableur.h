#pragma once
#include "util_rez/base/erreur.h"
#include "util_rez/output/valeur_cellule.h"

#include <QList>
#include <QString>
#include <QStringList>

// Why a spreadsheet export stopped. The window turns the cause into a text of its language;
// `detail` is the reason the application or the system gave, `chemin` the file concerned.
class ErreurTableur : public ErreurRez {
  public:
    enum class Cause {
        Indisponible,    // this build has no way to drive that application
        Demarrage,       // the application could not be started or reached
        Delai,           // it did not answer within the time limit
        PasClasseur,     // the file is not a spreadsheet workbook
        Chargement,      // the application could not load the workbook
        Connexion,       // the application went away during the export
        Ecriture,        // the workbook file could not be written
        SansApplication, // nothing on this desktop opens the workbook
        Occupe,          // another session kept the workbook busy
        PasVerrou,       // the workbook's lock file is no lock; `chemin` is the lock file
        TropGrand,       // the workbook is beyond what is read: a sheet, a ratio, a count
        Abandon,         // the program is closing: nothing to tell
    };
    ErreurTableur(Cause cause, const QString& detail, const QString& chemin = {})
        : ErreurRez(chemin.isEmpty() ? detail : chemin + QStringLiteral(": ") + detail), cause_(cause),
          detail_(detail), chemin_(chemin) {}
    Cause cause() const { return cause_; }
    const QString& detail() const { return detail_; }
    const QString& chemin() const { return chemin_; }

  private:
    Cause cause_;
    QString detail_;
    QString chemin_;
};

// A spreadsheet application as the export drives it: open a workbook, show it, put texts and
// numbers into cells of its first sheet by row and column (from 1). Throws ErreurTableur.
class Tableur {
  public:
    virtual ~Tableur() = default;
    // Starts or reaches the application; `visible` shows what it opens.
    virtual void connecte(bool visible) = 0;
    // Opens the workbook and selects its first sheet.
    virtual void ouvre(const QString& chemin) = 0;
    // False when that one cell could not be written; throws when the application is gone.
    virtual bool ecrit(int ligne, int colonne, const ValeurCellule& valeur) = 0;
    // Rows of values from (ligne, colonne), leaving the cells as writing them one by one would.
    virtual void ecrit_bloc(int ligne, int colonne, const QList<QList<ValeurCellule>>& rangs);
    // Called once every cell is written.
    virtual void termine() {}
};

// A workbook file is a zip package (Office Open XML, OpenDocument) or a compound file (the
// older binary format). Anything else would reach the office as a text to import.
bool ressemble_classeur(const QString& chemin);
