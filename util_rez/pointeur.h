#pragma once
#include <QString>

// Remembered-value files: one value on the first line of a small file in the program folder.
inline const QString fichier_dossier_memorise = QStringLiteral("~rez_rep.~r");
inline const QString fichier_nom_memorise = QStringLiteral("~rez_rep.~f");

// The first line of the file, or empty when it is missing or unreadable.
QString lit_pointeur(const QString& dossier_prog, const QString& nom);

// Replaces the file with the value and a line break; false when any step fails.
bool ecrit_pointeur(const QString& dossier_prog, const QString& nom, const QString& valeur);
