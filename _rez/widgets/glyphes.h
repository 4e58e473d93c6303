#pragma once
#include <QIcon>

// The glyphs of the icon-only buttons, drawn here, each with a greyed picture of its own for
// a disabled button, at 1x and 2x.
QIcon glyphe_impression();
QIcon glyphe_table_presse_papier();
QIcon glyphe_tableur();
QIcon glyphe_setup();
QIcon glyphe_couleur();
// The screen with its top or bottom half marked.
QIcon glyphe_demi_ecran(bool bas);

inline constexpr int taille_glyphe = 22;
inline constexpr int taille_glyphe_couleur = 14;
inline constexpr int taille_glyphe_demi_ecran = 16;
