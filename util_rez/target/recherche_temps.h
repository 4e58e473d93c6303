#pragma once
#include "util_rez/target/tableau.h"

#include <span>

// Records by run time; temps[i] is the run time of record i + 1. A logger writes its run times in
// order, which lets a search halve its range; a file whose run times go back is still searched
// right, record by record.

// The run times of records 1..n.
std::span<const double> temps_enregs(const Tableau& t, int n);
bool temps_ordonnes(std::span<const double> temps);
// The record whose run time is nearest `cherche`, the earlier one of a tie; 0 when there is none.
int enreg_le_plus_proche(std::span<const double> temps, long double cherche, bool ordonnes);
// The first record at or after `cherche` in ordered run times, otherwise 1: any record may be there.
int premier_enreg_depuis(std::span<const double> temps, long double cherche, bool ordonnes);
