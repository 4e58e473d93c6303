#pragma once
#include <QMargins>
#include <QRect>

// Height of the desktop panels at the top and bottom of the screen, from the screen's full
// and available geometry; -1 when there is none. Side panels take no height.
int hauteur_barre_taches(const QRect& ecran, const QRect& disponible);

// Height of one screen half for the placement buttons.
int hauteur_demi_ecran(const QRect& ecran, int barre_taches);

// The frame of a session window on its half: the top half starts at 0, the bottom one at the
// window's own height, which is what tells the bottom session apart.
QRect cadre_demi_ecran(int gauche, int largeur, int hauteur, bool bas);

// The frame a "#1" or "#2" session starts with: the whole screen's width, half its height
// less 20.
QRect cadre_session_depart(const QRect& ecran, bool bas);

// The client area that gives a window the frame `cadre`, title bar and borders included.
QRect client_pour_cadre(const QRect& cadre, const QMargins& marges);

bool cadre_en_bas(const QRect& cadre);
