#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

// Whether a link at the name is followed onto the file it points at. The program's own files
// (its settings, remembered values, exports) are never links it made: one there was planted.
enum class Lien { Suivi, Refuse };

// Why the name holds something other than a plain file or nothing: a link, a pipe, a device or
// a folder. Looked at without opening anything, so it never waits.
std::optional<QString> intrus(const QString& chemin);

// Writes the file in one step: the bytes go to a temporary file beside it, which then takes
// its name, so a crash, a full disk or a killed process leaves either the old file or the new
// one, whole. An existing file keeps its permissions; a link is followed or refused as `lien`
// says. On failure the old file is untouched, `raison` holds the system's reason and the
// result is false.
bool remplace_fichier(const QString& chemin, const QByteArray& octets, QString& raison, Lien lien = Lien::Suivi);
