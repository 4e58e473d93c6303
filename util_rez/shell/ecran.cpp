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

QRect cadre_demi_ecran(int gauche, int largeur, int hauteur, bool bas) {
    return QRect(gauche, bas ? hauteur : 0, largeur, hauteur);
}

QRect cadre_session_depart(const QRect& ecran, bool bas) {
    return cadre_demi_ecran(0, ecran.width(), ecran.height() / 2 - 20, bas);
}

QRect client_pour_cadre(const QRect& cadre, const QMargins& marges) {
    return cadre.marginsRemoved(marges);
}

bool cadre_en_bas(const QRect& cadre) {
    return cadre.top() == cadre.height();
}
