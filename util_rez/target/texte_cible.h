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

// A UTF-8 byte-order mark, which is no text at the start of a file.
inline constexpr char marque_ordre_utf8[] = "\xEF\xBB\xBF";

// A byte both UTF-8 and Latin-1 write a character of ASCII as, and only such a character.
inline bool est_ascii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// The bytes of a line hold `ascii`, a text of ASCII characters, which stands for itself in
// either encoding: the line need not be decoded. The plain substring search would cost as much
// as a line's parse; lines seldom hold the first character, which the vectorised character
// search skips past.
inline bool contient_ascii(QByteArrayView ligne, QByteArrayView ascii) {
    for (qsizetype i = ligne.indexOf(ascii.front()); i >= 0; i = ligne.indexOf(ascii.front(), i + 1))
        if (ligne.sliced(i).startsWith(ascii)) return true;
    return false;
}

// One line's bytes as text: what decoding the whole file gives for it.
QString decode_ligne(QByteArrayView octets, Codage codage);

// Where the complete lines end: at the end of the bytes, or where the last line begins when
// its writer is still on it (derniere_inachevee). `debut_fichier`: the bytes begin the file.
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
