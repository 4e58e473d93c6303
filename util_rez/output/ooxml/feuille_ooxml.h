#pragma once
#include "util_rez/output/valeur_cellule.h"

#include <QByteArray>
#include <QList>
#include <QIODevice>
#include <QString>
#include <QStringView>
#include <deque>
#include <initializer_list>
#include <iterator>
#include <utility>

// The cells to put in, by (row, column) from 1, in that order. Kept in blocks rather than a
// tree, 24 bytes a cell with the texts apart: a full sheet is millions of numbers, which an
// export writes almost in order.
class CellulesFeuille {
    struct Entree {
        int ligne;
        int colonne;
        double nombre;
        int texte; // its place among the texts; -1 for a number
    };

  public:
    using Position = std::pair<int, int>;
    using Cellule = std::pair<Position, ValeurCellule>;

    // Goes over the cells in order, each made whole as it is read.
    class const_iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Cellule;
        using difference_type = std::ptrdiff_t;
        using reference = Cellule;
        struct Fleche {
            Cellule c;
            const Cellule* operator->() const { return &c; }
        };
        using pointer = Fleche;
        const_iterator(std::deque<Entree>::const_iterator it, const QList<QString>* textes)
            : it_(it), textes_(textes) {}
        Cellule operator*() const;
        Fleche operator->() const { return {**this}; }
        const_iterator& operator++() {
            ++it_;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return it_ == o.it_; }

      private:
        std::deque<Entree>::const_iterator it_;
        const QList<QString>* textes_;
    };

    CellulesFeuille() = default;
    CellulesFeuille(std::initializer_list<Cellule> cellules);
    // Puts v at p, in place of what was there.
    void ecrit(Position p, const ValeurCellule& v);
    size_t size() const { return entrees_.size(); }
    const_iterator begin() const { return {entrees_.begin(), &textes_}; }
    const_iterator end() const { return {entrees_.end(), &textes_}; }
    // The first cell at or after p.
    const_iterator lower_bound(Position p) const;

  private:
    std::deque<Entree> entrees_;
    QList<QString> textes_; // a text written over stays here unused: rare
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
