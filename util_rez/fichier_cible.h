#pragma once
#include <QDateTime>
#include <QString>
#include <cstdint>

// Size in bytes, measured without asking for write access; -1 when the file cannot be
// opened for reading or is a folder. Sizes beyond 32 bits saturate.
int32_t taille_fichier(const QString& chemin);

// Last-write time in local time packed as an MS-DOS date (high 16 bits) and time (low 16
// bits, two-second steps); -1 for a missing file or a folder.
int32_t age_fichier(const QString& chemin);
int32_t date_dos(const QDateTime& locale);

// The file name after the last '/', '\' or ':'.
QString nom_sans_dossier(const QString& chemin);
