#pragma once
#include "util_rez/tableau.h"

// Parses the loaded lines (the target file without its comment block) into the table.
// Records beyond the table's capacity are counted in enreg_hors_table and not stored.
ResultatParse remplit_tableau(const QStringList& lignes, Tableau& tableau);
