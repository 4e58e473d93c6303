#pragma once
#include "util_rez/target/lignes_cible.h"
#include <QString>
#include <QStringList>
#include <functional>

// Fields 1 to 7 of a text, blank-separated, joined by exactly six TABs.
QString ligne_table(QStringView texte);

// The export table of the displayed lines of a target file and of the comment lines: the
// header lines without their quotes, the comment, two empty lines, the row of the first
// "Runtime" line but the last line, then a row for each record line (one whose unquoted text
// begins with "0"), its points turned into commas in comma mode. Each row is written in the
// target file's encoding followed by CR LF; read from the lines' bytes, a run of millions of
// records costs the output, not a string per line. `avance`, when given, hears now and then
// how far the two passes over the lines have got, out of twice their number.
QByteArray octets_table_texte(const LignesCible& lignes, const QStringList& commentaire, bool mode_virgule,
                              const std::function<void(qsizetype)>& avance = {});
