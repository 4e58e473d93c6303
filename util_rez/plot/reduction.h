#pragma once
#include "util_rez/plot/trace.h"

#include <cstdint>
#include <vector>

// The records a picture of a long run needs. Per pixel column and curve only the column's
// first, last, smallest and largest value are kept, joined in record order (the M4 reduction):
// with one-pixel lines it paints the very pixels of every record, and no single extreme is
// lost at any thickness. Records left or right of the picture keep only the two ends of each
// of their runs, which is all their lines can show.

// One step of the drawing: record `indice`, for the curves of `courbes` (bit k for curve k).
struct PasTrace {
    int indice;
    uint16_t courbes;
};
using Parcours = std::vector<PasTrace>;

// Per curve (1..8) and block of records, where the smallest and the largest value lie, on
// every level of blocks twice as long: the extremes of any run of records cost its ends and
// log N. Kept beside the table and brought up to date with what was appended.
class ResumeBlocs {
  public:
    // Where the smallest and the largest value of a run lie, with the values (a value no
    // record has counted as minus infinity): beside the places, they spare looking each one
    // up in the table, far from the others.
    struct Extremes {
        int i_min, i_max;
        double v_min, v_max;
    };

    // Rows 1..n of the table; only what changed since the last call is worked out again.
    void suit(const Tableau& t, int n);
    int taille() const { return n_; }
    // Where x last went back (0: never), so whether columns can be found by bisection.
    int dernier_recul() const { return recul_; }
    // First index of the smallest and of the largest value of curve k over [a, b].
    std::pair<int, int> extremes(const Tableau& t, int k, int a, int b) const;
    // Asks the memory for what extremes() over [a, b] will read, ahead of the call.
    void annonce(const Tableau& t, const std::array<bool, 9>& coches, int a, int b) const;

  private:
    void refait(const Tableau& t, int depuis);

    uint64_t identite_ = 0;
    uint64_t revision_ = 0;
    int n_ = 0;
    int recul_ = 0;
    // niveaux_[k][l][j]: the extremes of block j of level l (blocks of 32 << l records).
    std::array<std::vector<std::vector<Extremes>>, 9> niveaux_;
};

// Every record in order when they do not outnumber the plot's columns; the reduction beyond.
// `resume`, when given, must follow the table up to n and spares walking every record; with it,
// the steps may start a column before that of record `depuis`, for a caller that draws only
// from there (every curve has a step in each column, where its line into the next starts).
Parcours parcours_trace(const GeometrieTrace& geo, const Echelles& e, const Tableau& t, int n,
                        const std::array<bool, 9>& coches, int epaisseur, const ResumeBlocs* resume = nullptr,
                        int depuis = 1);
