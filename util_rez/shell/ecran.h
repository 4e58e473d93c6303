#pragma once
#include <QRect>

// Height of the desktop panels at the top and bottom of the screen, from the screen's full
// and available geometry; -1 when there is none. Side panels take no height.
int hauteur_barre_taches(const QRect& ecran, const QRect& disponible);

// Height of one screen half for the placement buttons.
int hauteur_demi_ecran(const QRect& ecran, int barre_taches);
