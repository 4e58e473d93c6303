#pragma once
#include <QString>

// The window's title names the session and the target file before the program, so that a
// task bar which cuts titles short still tells two sessions apart.
QString titre_fenetre(const QString& session, const QString& chemin_cible);
