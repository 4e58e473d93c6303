#pragma once
#include "util_rez/files/fichier_texte.h"

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>
#include <optional>

// The target file's text rules, on bytes as they come from the file, so that a part of it
// can be read on its own and give the lines the whole file gives.

// UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise: what decode_octets decides.
Codage codage_octets(QByteArrayView octets);

// One line's bytes as text: what decoding the whole file gives for it.
QString decode_ligne(QByteArrayView octets, Codage codage);

// Where the complete lines end: at the end of the bytes, or where the last line begins when
// its writer is still on it (ligne_inachevee). `debut_fichier`: the bytes begin the file.
qsizetype fin_lignes_completes(QByteArrayView octets, bool debut_fichier);
// The encoding of a file a writer may be caught in the middle of a character of: that of its
// complete lines, so that half a character does not turn the whole file into Latin-1.
Codage codage_lignes_completes(QByteArrayView octets);

// The lines coupe_lignes(decode_octets(...)) gives, split before decoding and each decoded on
// its own. `debut_fichier`: the bytes begin the file, whose UTF-8 byte-order mark is no text.
QStringList decoupe_octets(QByteArrayView octets, Codage codage, bool debut_fichier,
                           bool* fin_de_ligne_finale = nullptr);

// Where the last of those lines begins; 0 when there is at most one.
qsizetype debut_derniere_ligne(QByteArrayView octets);

// A writer may be caught half-way through its last record: a quoted line that has not got
// its closing quote nor its line break yet is left for the next load.
bool ligne_inachevee(const QStringList& lignes, bool fin_de_ligne_finale);

// The line is the comment heading `marque` (itself without surrounding blanks), give or take
// blanks around it. `marque` may hold several headings, one a line: a line of the file holds no
// line break, so none is mistaken for another.
bool est_marque(QStringView ligne, QStringView marque);
// The first heading from line `depuis` on, never before the third line; -1 when there is none.
qsizetype cherche_marque(const QStringList& lignes, qsizetype depuis, QStringView marque);

// Takes the comment block off the end of the lines: the empty line before the heading, the
// heading and every line after it. Gives the lines after the heading, nothing without a block.
std::optional<QStringList> coupe_commentaire(QStringList& lignes, QStringView marque);
