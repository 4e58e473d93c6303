#pragma once
#include <QString>

// Opens the file, resolved against the folder, in the desktop's text editor; returns at once.
bool ouvrir_avec_notepad(const QString& dossier, const QString& nom_fichier);
