#pragma once
#include <QByteArray>
#include <QStringList>

// The block appended after a file's lines, which the load finds again by its marker: an
// empty line, four blanks and the heading, then the comment lines as they stand.
QStringList bloc_commentaire(const QString& titre, const QStringList& commentaire);

// What a rewrite of a loaded file keeps of its bytes: its first `nb_affichees` lines, each with
// the line break it had (a last line without one gets CR LF), and a single line after them, the
// one a load holds back while its writer is still on it. Two or more lines after them are the
// comment block the load moved out, which the new block replaces.
QByteArray octets_conserves(const QByteArray& octets, qsizetype nb_affichees);
