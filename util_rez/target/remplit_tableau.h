#pragma once
#include "util_rez/target/tableau.h"

// Parses the loaded lines (the target file without its comment block) into the table.
// Records beyond the table's capacity are counted in enreg_hors_table and not stored.
ResultatParse remplit_tableau(const QStringList& lignes, Tableau& tableau);

// Goes on with the lines from `debut` up to `fin` (excluded) after a parse of the lines before
// `debut` left `r`: lines parsed in several steps give what one parse of them all gives.
void poursuit_parse(const QStringList& lignes, qsizetype debut, qsizetype fin, Tableau& tableau,
                    ResultatParse& r);
