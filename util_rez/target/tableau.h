#pragma once
#include "util_rez/base/grandes_pages.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

// The record table: columns 1..9, rows 1..taille() (row 0 and column 0 unused), as long as
// the run. Column 1 is the run time, 2..7 the measured fields, 8 = col7 - col5, 9 = col7 - col3.
// The two differences are worked out when read, from the stored values, so they take no room.
// Column 0 holds the index of the record's line among the loaded lines, for whoever wants the
// record as its line writes it.
constexpr int nb_colonnes = 9;
constexpr int nb_colonnes_lues = 7;

class Tableau {
  public:
    Tableau();
    double operator()(int colonne, int ligne) const {
        const auto& c = colonnes_;
        if (colonne <= nb_colonnes_lues) return c[colonne][ligne];
        return c[7][ligne] - c[colonne == 8 ? 5 : 3][ligne];
    }
    // Rows 1..n of a stored column, from index 1.
    const double* colonne(int c) const { return colonnes_[c].data(); }
    // Calls f with a reader of column c by row, the choice of column made once: for a caller
    // that reads millions of rows of one column.
    template <typename F> auto avec_colonne(int c, F f) const {
        if (c <= nb_colonnes_lues) {
            const double* v = colonnes_[c].data();
            return f([v](int i) { return v[i]; });
        }
        const double* c7 = colonnes_[7].data();
        const double* b = colonnes_[c == 8 ? 5 : 3].data();
        return f([c7, b](int i) { return c7[i] - b[i]; });
    }
    int taille() const { return int(colonnes_[1].size()) - 1; }
    // Row taille() + 1; throws std::bad_alloc when the memory is not there.
    void ajoute(const std::array<double, nb_colonnes_lues + 1>& valeurs);
    // Room for n rows in all, so that a table of known length grows without copies.
    void reserve(int n);
    // The rows of `suite` after these, their line indexes moved by `decalage`. `suite` is left
    // empty; it gives its memory back a column at a time, so that the rows are not all held
    // twice at once.
    void prolonge(Tableau& suite, double decalage);
    // Keeps rows 1..n.
    void tronque(int n);
    // A table of rows 1..n of this one, for a reader that must not see later changes.
    Tableau debut(int n) const;
    // One stored value (column 1..7) of an existing row changed.
    void modifie(int colonne, int ligne, double v);
    // Gives the memory back too.
    void vide();

    // Readers that keep what they worked out from the rows (a picture, its reduction) ask
    // what has changed since they looked, instead of comparing every row.
    uint64_t identite() const { return identite_; }
    uint64_t revision() const { return revision_; }
    // Of rows 1..n, how many no change since `depuis` (a revision()) has touched.
    int lignes_intactes(uint64_t depuis, int n) const;

  private:
    void note_coupe(int gardees);

    std::array<VecteurGrand<double>, nb_colonnes_lues + 1> colonnes_;
    uint64_t identite_;
    uint64_t revision_ = 0;
    std::deque<std::pair<uint64_t, int>> coupes_; // (revision, rows kept), the latest ones
};

// What one parse of the loaded lines gives the window.
struct ResultatParse {
    int nb_enreg = 0;
    long double max_x = -10;
    long double max_y = -10;
    bool arrete = false;
    bool noms_lus = false;         // a names line was met: the captions below apply
    std::array<QString, 9> noms{}; // noms[1..8]: captions of CheckBox1..CheckBox8
    int enreg_ecartes = 0;         // lines like records but for a run time from 5 to 9, not read
};
