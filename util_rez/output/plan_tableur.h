#pragma once
#include "util_rez/output/valeur_cellule.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/tableau.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// Rows and columns count from 1: column 1 is A, 9 is I, 11 is K.
struct CelluleTableur {
    int ligne = 0;
    int colonne = 0;
    QString texte;
    bool operator==(const CelluleTableur&) const = default;
};

struct DonneesTableur {
    LignesCible lignes;          // the loaded lines of the target file
    QStringList commentaire;     // the comment box's lines as it displays them
    std::array<QString, 9> noms; // [1..8]: the curve names
    const Tableau* tableau = nullptr;
    int nb_enreg = 0;
    bool virgule = false; // the setup's decimal mark is a comma (for the texts of non-finite values)
};

// What an export writes into the first sheet. Written cell by cell, the record number in
// I1 would change once per record; only its last value stays, so it is planned once.
class PlanTableur {
  public:
    QList<CelluleTableur> cellules; // headers, column K, row 6 and I1, in writing order
    static constexpr int ligne_bloc = 7;
    // The sheet ends at row 1 048 576; the table export holds whatever does not fit.
    static constexpr int enreg_max = 1048576 - ligne_bloc + 1;

    PlanTableur(Tableau enregistrements, bool virgule);
    // The records' rows from A7, as many as fit.
    int nb_rangs() const { return enregistrements_.taille(); }
    // Rows debut..debut+n-1 (from 0) of the block: one row of nine numbers per record; a value
    // that is no finite number stays a text. Made a slice at a time, for a full sheet's rows
    // would be hundreds of megabytes at once.
    QList<QList<ValeurCellule>> rangs(int debut, int n) const;

  private:
    // The window's table goes on growing, or is loaded anew, while the rows are written.
    Tableau enregistrements_;
    bool virgule_;
};

PlanTableur planifie_tableur(const DonneesTableur& d);
