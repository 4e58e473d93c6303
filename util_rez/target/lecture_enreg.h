#pragma once
#include "util_rez/target/tableau.h"

#include <QList>
#include <QString>
#include <array>

// A record as its line writes it: the texts of fields 1 to 7, and its row of the table.
struct EnregLu {
    std::array<QString, 8> champs;                 // 1..7
    std::array<double, nb_colonnes + 1> valeurs{}; // 1..9
};
// Record k, whose line `ligne` is as loaded, quotes included.
EnregLu enreg_lu(const QString& ligne, const Tableau& t, int k);

struct LigneLecture {
    int courbe = 0; // whose colour the line takes; 0 for the run time
    QString texte;
};
// The readout of a record: its run time, then every checked curve under the name of its box
// (noms[1..8]; noms[0] names the run time), each as the line writes it; the two differences as
// computed, with as many decimals as their terms. With a reference record, each line goes on
// with its difference to the reference.
QList<LigneLecture> lecture_enreg(const EnregLu& e, const EnregLu* reference,
                                  const std::array<bool, 9>& coches, const std::array<QString, 9>& noms);
QString texte_lecture(const QList<LigneLecture>& lignes);
