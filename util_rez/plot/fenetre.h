#pragma once
#include "util_rez/base/echelles.h"

// The x axis as a window on the last `secondes` of a run whose latest run time is `dernier`.
// Its step is the one a full scale of `secondes` would have; its left edge lies that long
// before `dernier`, down to a whole step so that the labels stay round, and never before 0; it
// spans whole steps up to beyond `dernier`. A window of no length leaves no full scale to draw.
Echelles echelles_fenetre(Echelles e, long double secondes, long double dernier);
