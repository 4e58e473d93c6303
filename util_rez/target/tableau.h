#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

// The record table: columns 1..9, rows 1..capacite_tableau (row 0 unused).
// Column 1 is the run time, 2..7 the measured fields, 8 = col7 - col5, 9 = col7 - col3.
// Column 0 holds the index of the record's line among the loaded lines, for whoever wants the
// record as its line writes it.
constexpr int nb_colonnes = 9;
constexpr int capacite_tableau = 5000;

struct Tableau {
    std::array<std::array<double, capacite_tableau + 1>, nb_colonnes + 1> v{};
    double& operator()(int colonne, int ligne) { return v[colonne][ligne]; }
    double operator()(int colonne, int ligne) const { return v[colonne][ligne]; }
};

// What one parse of the loaded lines gives the window.
struct ResultatParse {
    int nb_enreg = 0;
    long double max_x = -10;
    long double max_y = -10;
    bool arrete = false;
    bool noms_lus = false;            // a names line was met: the captions below apply
    std::array<QString, 9> noms{};    // noms[1..8]: captions of CheckBox1..CheckBox8
    int enreg_hors_table = 0;         // records met beyond the table's capacity, not stored
    int enreg_ecartes = 0;            // lines like records but for a run time from 5 to 9, not read
};
