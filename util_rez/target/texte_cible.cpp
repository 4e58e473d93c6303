#include "util_rez/target/texte_cible.h"

#include "util_rez/target/lignes_cible.h"

#include <QStringDecoder>
#include <cstring>

// A byte-order mark is no text at the start of the file only; a line further on keeps it as a
// character, as one decoder running over the whole file keeps it.
QString decode_ligne(QByteArrayView octets, Codage codage) {
    if (codage == Codage::Latin1) return QString::fromLatin1(octets);
    if (!octets.startsWith(marque_ordre_utf8)) return QString::fromUtf8(octets);
    QStringDecoder d(QStringDecoder::Utf8,
                     QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return d(octets);
}

Codage codage_octets(QByteArrayView octets) {
    return octets.isValidUtf8() ? Codage::Utf8 : Codage::Latin1;
}

qsizetype fin_lignes_completes(QByteArrayView octets, bool debut_fichier) {
    const qsizetype n = octets.size();
    if (n == 0 || octets.back() == '\n' || octets.back() == '\r') return n;
    const qsizetype debut = debut_derniere_ligne(octets);
    QByteArrayView derniere = octets.sliced(debut);
    if (debut_fichier && debut == 0 && derniere.startsWith(marque_ordre_utf8)) derniere = derniere.sliced(3);
    const bool inachevee = derniere.startsWith('"') && (derniere.size() < 2 || !derniere.endsWith('"'));
    return inachevee ? debut : n;
}

Codage codage_lignes_completes(QByteArrayView octets) {
    return codage_octets(octets.first(fin_lignes_completes(octets, true)));
}

QStringList decoupe_octets(QByteArrayView octets, Codage codage, bool debut_fichier,
                           bool* fin_de_ligne_finale) {
    const LignesCible lignes(QByteArray::fromRawData(octets.data(), octets.size()), codage, debut_fichier);
    if (fin_de_ligne_finale) *fin_de_ligne_finale = lignes.fin_de_ligne_finale() && !lignes.isEmpty();
    return lignes.mid(0);
}

qsizetype debut_derniere_ligne(QByteArrayView octets) {
    qsizetype i = octets.size();
    if (i >= 2 && octets[i - 2] == '\r' && octets[i - 1] == '\n')
        i -= 2;
    else if (i >= 1 && (octets[i - 1] == '\n' || octets[i - 1] == '\r'))
        i -= 1;
    while (i > 0 && octets[i - 1] != '\n' && octets[i - 1] != '\r')
        --i;
    return i;
}
