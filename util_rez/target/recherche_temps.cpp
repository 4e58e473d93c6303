#include "util_rez/target/recherche_temps.h"

#include <algorithm>
#include <cmath>

namespace {

int premier_a_partir(std::span<const double> temps, long double cherche) {
    return int(std::ranges::partition_point(temps, [&](double x) { return x < cherche; }) - temps.begin()) +
           1;
}

} // namespace

std::span<const double> temps_enregs(const Tableau& t, int n) {
    return {t.colonne(1) + 1, static_cast<size_t>(std::clamp(n, 0, t.taille()))};
}

bool temps_ordonnes(std::span<const double> temps) {
    return std::ranges::is_sorted(temps);
}

int enreg_le_plus_proche(std::span<const double> temps, long double cherche, bool ordonnes) {
    if (temps.empty()) return 0;
    const auto ecart = [&](int k) { return std::fabs(temps[k - 1] - cherche); };
    if (ordonnes) {
        const int apres = premier_a_partir(temps, cherche);
        if (apres > int(temps.size())) return int(temps.size());
        if (apres == 1 || ecart(apres) < ecart(apres - 1)) return apres;
        // The first of equal run times before the pointer, as the search below finds it.
        return premier_a_partir(temps, temps[apres - 2]);
    }
    const auto plus_proche =
        std::ranges::min_element(temps, {}, [&](double x) { return std::fabs(x - cherche); });
    return int(plus_proche - temps.begin()) + 1;
}

int premier_enreg_depuis(std::span<const double> temps, long double cherche, bool ordonnes) {
    return ordonnes ? premier_a_partir(temps, cherche) : 1;
}
