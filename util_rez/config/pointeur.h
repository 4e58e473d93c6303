#pragma once
#include "util_rez/config/emplacements.h"

#include <QString>

// Remembered-value files: one value on the first line of a small file among the files the
// program writes.
inline const QString fichier_dossier_memorise = QStringLiteral("~rez_rep.~r");
inline const QString fichier_nom_memorise = QStringLiteral("~rez_rep.~f");

// The first line of the file, or empty when it is missing or unreadable.
QString lit_pointeur(const Emplacements& emplacements, const QString& nom);

// Replaces the file with the value and a line break; false with the reason when any step fails.
bool ecrit_pointeur(const Emplacements& emplacements, const QString& nom, const QString& valeur, QString& raison);
