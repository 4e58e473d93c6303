#pragma once
#include "util_rez/fichier_texte.h"

#include <QString>
#include <QStringList>
#include <optional>

// A writer may be caught half-way through its last record: a quoted line that has not got
// its closing quote nor its line break yet is left for the next load.
bool ligne_inachevee(const TexteLu& lu);

// Cuts an appended comment block off the loaded lines: the line before the marker (the empty
// line written ahead of it), the marker and everything after it. The marker is the comment
// heading, blanks trimmed, met from the third line on. Returns the comment lines, or nothing
// when there is no marker and the lines stay as they were.
std::optional<QStringList> coupe_commentaire(QStringList& lignes, const QString& titre_commentaire);
