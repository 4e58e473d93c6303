#include "util_rez/base/echelles.h"

#include "util_rez/base/conversions.h"

#include <limits>

namespace {

constexpr long double facteur_zoom = 1.1L;
constexpr long double marge_autoscale = 1.1L;
constexpr int nb_decades = 20;
constexpr int32_t plus_petite_echelle = 5;

std::optional<int32_t> en_entier_32(long double v) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(v);
}

} // namespace

// Rounded in extended precision rather than through a 64-bit integer, so that a huge
// full scale typed by the user gives a huge step instead of an undefined conversion.
long double arrondi_5(long double v) {
    return arrondi_pair((v + 2.5L) / 5) * 5;
}

long double valeur_ronde_dessus(long double v) {
    long double decade = 1e-9L;
    for (int d = 0; d < nb_decades; ++d, decade *= 10)
        for (int j = 1; j <= 10; ++j)
            if (v < decade * j) return decade * j;
    return 10;
}

long double valeur_ronde_dessous(long double v) {
    long double decade = 1e11L;
    for (int d = 0; d < nb_decades; ++d, decade /= 10)
        for (int j = 10; j >= 1; --j)
            if (v >= decade * j) return decade * j;
    return 1;
}

Echelles lit_echelles(const QString& texte_x, const QString& texte_y, QChar separateur) {
    Echelles e;
    e.etendue_x = StrToFloat(texte_x, separateur);
    e.etendue_y = StrToFloat(texte_y, separateur);
    e.pas_x = arrondi_5(e.etendue_x / 10);
    e.pas_y = arrondi_5(e.etendue_y / 10);
    return e;
}

// A largest value too big for the field gives the largest multiple of 5 the field holds,
// so that the scale still goes as far up as it can.
std::optional<int32_t> valeur_autoscale(long double maximum) {
    if (!(maximum > 0)) return std::nullopt;
    constexpr int32_t plafond = std::numeric_limits<int32_t>::max() / 5 * 5;
    const std::optional<int32_t> m = en_entier_32(arrondi_pair(maximum * marge_autoscale));
    if (!m) return plafond;
    const int32_t v = en_entier_32(arrondi_pair(arrondi_5(*m))).value_or(plafond);
    // A largest value below 0.45 rounds to a full scale of 0, on which nothing can be drawn:
    // it gets the smallest full scale autoscale gives otherwise.
    return v == 0 ? plus_petite_echelle : v;
}

int32_t zoom_plus(int32_t n) {
    return static_cast<int32_t>(arrondi_pair(valeur_ronde_dessous(n / facteur_zoom)));
}

// Beyond the largest 32-bit integer the field could no longer be zoomed: it stays as it is.
int32_t zoom_moins(int32_t n) {
    return en_entier_32(arrondi_pair(valeur_ronde_dessus(n * facteur_zoom))).value_or(n);
}
