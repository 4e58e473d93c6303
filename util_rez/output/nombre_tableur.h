#pragma once
#include <QString>

// A record value as the spreadsheet receives it: 15 significant digits, trailing zeros
// dropped; fixed notation from 0.0001 up to 15 integer digits (and for 0), otherwise one
// digit, the mark, the rest and E with the exponent (5E-5, 1.5E20). The mark is "," when
// `virgule`, "." otherwise, whatever the locale.
QString nombre_tableur(double valeur, bool virgule);
