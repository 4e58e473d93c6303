#pragma once
#include "util_rez/files/fichier_texte.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// The block appended after a file's lines, which the load finds again by its marker: an
// empty line, four blanks and the heading, then the comment lines as they stand.
QStringList bloc_commentaire(const QString& titre, const QStringList& commentaire);

// Where a save cuts the loaded bytes: after their first `nb_affichees` lines, each with its
// line break, and a single line after them, the one a load holds back while its writer is still
// on it. Two or more lines after them are the comment block the load moved out, which the new
// block replaces; without them, the end of the bytes.
qsizetype fin_cible(const QByteArray& octets, qsizetype nb_affichees);

// What a save writes after `garde`, the bytes it keeps: the block's lines, after CR LF when
// `garde` does not end with a line break.
QByteArray ajout_commentaire(QByteArrayView garde, const QStringList& bloc, Codage codage);
