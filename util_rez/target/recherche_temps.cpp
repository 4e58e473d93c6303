#include "util_rez/target/recherche_temps.h"

#include <algorithm>
#include <cmath>
#include <ranges>

namespace {

int premier_a_partir(const Tableau& t, int n, long double temps) {
    const auto enregs = std::views::iota(1, n + 1);
    return *std::ranges::partition_point(enregs, [&](int i) { return t(1, i) < temps; });
}

} // namespace

bool temps_ordonnes(const Tableau& t, int n) {
    for (int i = 2; i <= n; ++i)
        if (!(t(1, i - 1) <= t(1, i))) return false;
    return true;
}

int enreg_le_plus_proche(const Tableau& t, int n, long double temps, bool ordonnes) {
    if (n <= 0) return 0;
    const auto ecart = [&](int i) { return std::fabs(t(1, i) - temps); };
    if (ordonnes) {
        const int apres = premier_a_partir(t, n, temps);
        if (apres > n) return n;
        if (apres == 1 || ecart(apres) < ecart(apres - 1)) return apres;
        // The first of equal run times before the pointer, as the unordered search finds it.
        return premier_a_partir(t, n, t(1, apres - 1));
    }
    int meilleur = 1;
    for (int i = 2; i <= n; ++i)
        if (ecart(i) < ecart(meilleur)) meilleur = i;
    return meilleur;
}

int premier_enreg_depuis(const Tableau& t, int n, long double temps, bool ordonnes) {
    return ordonnes ? premier_a_partir(t, n, temps) : 1;
}
