#include "util_rez/shell/ecran.h"

#include <algorithm>

int hauteur_barre_taches(const QRect& ecran, const QRect& disponible) {
    const QRect libre = disponible.intersected(ecran);
    if (libre.isEmpty())
        return -1;
    const int prise = ecran.height() - libre.height();
    return prise > 0 ? prise : -1;
}

int hauteur_demi_ecran(const QRect& ecran, int barre_taches) {
    return (ecran.height() - std::max(barre_taches, 0)) / 2;
}
