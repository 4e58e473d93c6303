#pragma once
#include "util_rez/target/tableau.h"

// Records 1..n by run time. A logger writes its run times in order, which lets a search halve
// its range; a file whose run times go back is still searched right, record by record.

bool temps_ordonnes(const Tableau& t, int n);
// The record whose run time is nearest `temps`, the earlier one of a tie; 0 when n is 0.
int enreg_le_plus_proche(const Tableau& t, int n, long double temps, bool ordonnes);
// The first record at or after `temps` in ordered run times, otherwise 1: any record may be there.
int premier_enreg_depuis(const Tableau& t, int n, long double temps, bool ordonnes);
