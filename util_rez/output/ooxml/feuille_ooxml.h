#pragma once
#include "util_rez/output/valeur_cellule.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <map>
#include <utility>

using CellulesFeuille = std::map<std::pair<int, int>, ValeurCellule>; // (row, column) from 1

// The sheet XML of a worksheet part with these cells put in as texts or numbers. Rows and cells stay in
// order; a written cell keeps its other attributes (its style above all), loses its old value
// or formula; everything else is copied as it stands.
QByteArray remplit_feuille(const QByteArray& xml, const CellulesFeuille& cellules);

// "A" for 1, "K" for 11, "AA" for 27.
QString nom_colonne(int colonne);
// "K12" gives {12, 11}; {0, 0} when the text is no cell reference.
std::pair<int, int> position_cellule(QStringView reference);

// The name without its namespace prefix ("x:row" -> "row").
QStringView nom_local(QStringView nom);
