#pragma once
#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

struct Echelles {
    long double etendue_x = 0;
    long double etendue_y = 0;
    long double pas_x = 0;
    long double pas_y = 0;
    long double min_x = 0; // the run time at the left edge
};

// Reads both full-scale fields as reals (`separateur` is the locale's decimal mark) and
// derives the tick steps. Throws ErreurRez naming the text that is not a number.
Echelles lit_echelles(const QString& texte_x, const QString& texte_y, QChar separateur);

long double arrondi_5(long double v);
long double valeur_ronde_dessus(long double v);
long double valeur_ronde_dessous(long double v);

// The new full-scale integer for a largest value, or nothing when the field keeps its text.
std::optional<int32_t> valeur_autoscale(long double maximum);

// One zoom step from the field's integer value.
int32_t zoom_plus(int32_t n);
int32_t zoom_moins(int32_t n);
