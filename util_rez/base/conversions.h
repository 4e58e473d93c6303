#pragma once
#include <QChar>
#include <QString>
#include <cstdint>

// Text to number the way the setup file, the scale fields and the refresh period need it.
// Both throw ErreurRez naming the text when it is not a number.

// Optional leading blanks, optional sign, decimal digits, nothing after; must fit 32 bits.
int32_t StrToInt(const QString& texte);
bool essaie_StrToInt(const QString& texte, int32_t& valeur);

// The decimal mark of the user's locale, the one the scale fields and the labels use.
QChar separateur_locale();
// A real in the user's locale: `separateur` is the only decimal mark accepted.
long double StrToFloat(const QString& texte, QChar separateur);

// General format: shortest form, at most 15 significant digits, `separateur` as decimal mark.
QString FloatToStr(long double valeur, QChar separateur);

// Round to the nearest integer, halves to the even neighbour, in extended precision.
long double arrondi_pair(long double v);
int64_t Round(long double v);
