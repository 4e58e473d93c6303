#pragma once
#include "util_rez/base/erreur.h"

#include <QString>

// A run too long for the memory is refused before the last load is let go, so the window
// keeps what it showed instead of being stopped by the system.

// What the system could still give, in bytes; -1 when it does not say.
qint64 memoire_disponible();

ErreurRez memoire_insuffisante(const QString& chemin, qint64 taille);

// Throws memoire_insuffisante when loading `taille` bytes would not fit in `disponible`
// (memoire_disponible() when -2), the memory a load of `deja_tenu` bytes holds counted as free.
void verifie_memoire(const QString& chemin, qint64 taille, qint64 deja_tenu, qint64 disponible = -2);
