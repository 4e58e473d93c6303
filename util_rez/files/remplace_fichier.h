#pragma once
#include <QByteArray>
#include <QString>

// Writes the file in one step: the bytes go to a temporary file beside it, which then takes
// its name, so a crash, a full disk or a killed process leaves either the old file or the new
// one, whole. An existing file keeps its permissions; a link is followed. On failure the old
// file is untouched, `raison` holds the system's reason and the result is false.
bool remplace_fichier(const QString& chemin, const QByteArray& octets, QString& raison);
