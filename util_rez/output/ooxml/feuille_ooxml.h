#pragma once
#include "util_rez/output/valeur_cellule.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <deque>
#include <initializer_list>
#include <utility>

// The cells to put in, by (row, column) from 1, in that order. Kept in blocks rather than a
// tree: a full sheet is millions of cells, which an export writes almost in order.
class CellulesFeuille {
  public:
    using Position = std::pair<int, int>;
    using Cellule = std::pair<Position, ValeurCellule>;
    using const_iterator = std::deque<Cellule>::const_iterator;

    CellulesFeuille() = default;
    CellulesFeuille(std::initializer_list<Cellule> cellules);
    // The cell at p, an empty one put in when there was none.
    ValeurCellule& operator[](Position p);
    size_t size() const { return cellules_.size(); }
    const_iterator begin() const { return cellules_.begin(); }
    const_iterator end() const { return cellules_.end(); }
    // The first cell at or after p.
    const_iterator lower_bound(Position p) const;

  private:
    std::deque<Cellule> cellules_;
};

// The sheet XML of a worksheet part with these cells put in as texts or numbers. Rows and cells stay in
// order; a written cell keeps its other attributes (its style above all), loses its old value
// or formula; everything else is copied as it stands.
QByteArray remplit_feuille(const QByteArray& xml, const CellulesFeuille& cellules);
// The same, written to `sortie` as it is made: a full sheet is hundreds of megabytes of XML.
bool remplit_feuille(const QByteArray& xml, const CellulesFeuille& cellules, QIODevice& sortie);

// Gathers the many small writes of an XML writer into writes of a megabyte, for a device that
// compresses what it is given.
class TamponEcriture : public QIODevice {
  public:
    explicit TamponEcriture(QIODevice& vers);
    // Writes what is gathered; false once a write has failed.
    bool vide();

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* donnees, qint64 n) override;

  private:
    static constexpr qsizetype taille_ = 1 << 20;
    QIODevice& vers_;
    QByteArray tampon_;
    bool ok_ = true;
};

// "A" for 1, "K" for 11, "AA" for 27.
QString nom_colonne(int colonne);
// "K12" gives {12, 11}; {0, 0} when the text is no cell reference.
std::pair<int, int> position_cellule(QStringView reference);

// The name without its namespace prefix ("x:row" -> "row").
QStringView nom_local(QStringView nom);
