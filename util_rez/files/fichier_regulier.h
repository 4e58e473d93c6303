#pragma once
#include "util_rez/base/erreur.h"

#include <QFile>
#include <QString>

// Opens `chemin` for reading, only when it is a regular file: a pipe, a device or a folder is
// a file that cannot be opened, and is never opened at all, so that a pipe with no writer
// cannot hold the window nor a device feed it without end. The type is checked again on the
// open file, so a file swapped for a pipe in between is refused too. False with the system's
// reason when the file cannot be opened.
bool ouvre_regulier(QFile& f, const QString& chemin, QString& raison);

// The same, throwing ErreurRez ("Cannot open file ...") instead.
void ouvre_regulier(QFile& f, const QString& chemin);
// Why `chemin` could not be read, from what is found there now and the system's `raison`.
ErreurRez ouverture_impossible(const QString& chemin, const QString& raison);
