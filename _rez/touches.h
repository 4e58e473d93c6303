#pragma once
#include <QKeySequence>

// The window's shortcut keys; the hints of the controls they press name them.
inline const QKeySequence touche_cible{Qt::CTRL | Qt::Key_O};
inline const QKeySequence touche_commentaire{Qt::CTRL | Qt::Key_S};
inline const QKeySequence touche_impression{Qt::CTRL | Qt::Key_P};
inline const QKeySequence touche_export{Qt::CTRL | Qt::Key_E};
inline const QKeySequence touche_aide{Qt::Key_F1};
inline const QKeySequence touche_fermer{Qt::Key_Escape};
inline const QKeySequence touche_quitter{Qt::CTRL | Qt::Key_Q};
