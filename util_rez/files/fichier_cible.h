#pragma once
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

struct stat;

// Size in bytes, measured without asking for write access; -1 when the file cannot be
// opened for reading or is no regular file. Sizes beyond 32 bits saturate.
int32_t taille_fichier(const QString& chemin);

// Last-write time in local time packed as an MS-DOS date (high 16 bits) and time (low 16
// bits, two-second steps); -1 for a missing file or a folder.
int32_t age_fichier(const QString& chemin);
int32_t date_dos(const QDateTime& locale);

// What tells two states of a file apart when its size and two-second stamp are the same: the
// file behind the name (a rename puts another there), its modification time to the nanosecond,
// and its change time, which a writer that puts the modification time back cannot set.
// Nothing when the name leads nowhere.
struct IdentiteFichier {
    quint64 peripherique = 0;
    quint64 inode = 0;
    qint64 taille = 0;
    qint64 modifie_s = 0;
    qint64 modifie_ns = 0;
    qint64 change_s = 0;
    qint64 change_ns = 0;
    bool operator==(const IdentiteFichier&) const = default;
};
std::optional<IdentiteFichier> identite_fichier(const QString& chemin);
IdentiteFichier identite_stat(const struct stat& st);

// The file name after the last '/', '\' or ':'.
QString nom_sans_dossier(const QString& chemin);
