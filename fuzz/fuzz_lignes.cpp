// 8-bit line reading and decoding: the target file's byte-level splitting gives the lines the
// whole text's decoding gives, parts of a file read apart give the lines of the whole, the
// bytes come back unchanged, and the bounded reader of the small files agrees with them all.
#include "commun.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/texte_cible.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    const QByteArray b = fuzz::octets(data, taille);
    Codage codage;
    bool fin_entier = false;
    const QStringList entier = coupe_lignes(decode_octets(b, codage), &fin_entier);
    FUZZ_VERIFIE(codage == codage_octets(b));
    bool fin_octets = !fin_entier;
    const QStringList par_octets = decoupe_octets(b, codage, true, &fin_octets);
    FUZZ_VERIFIE(par_octets == entier && fin_octets == fin_entier);

    // The lines before the last ones read on their own, then the last ones.
    const qsizetype debut = debut_derniere_ligne(b);
    const QStringList avant = decoupe_octets(QByteArrayView(b).first(debut), codage, true);
    const QStringList apres = decoupe_octets(QByteArrayView(b).sliced(debut), codage, debut == 0);
    FUZZ_VERIFIE(avant + apres == entier);
    FUZZ_VERIFIE(apres.size() <= 1);

    // Half a character at the end of an unfinished line does not change the encoding.
    const qsizetype completes = fin_lignes_completes(b, true);
    FUZZ_VERIFIE(completes == b.size() || (completes == debut && !fin_entier));
    FUZZ_VERIFIE(derniere_inachevee(LignesCible(b, codage_lignes_completes(b))) == (completes < b.size()));
    if (codage_octets(QByteArrayView(b).first(completes)) == Codage::Utf8)
        FUZZ_VERIFIE(codage_lignes_completes(b) == Codage::Utf8);

    // Decoded then encoded, the bytes are the same, but for a UTF-8 byte-order mark.
    QByteArray sans_marque = b;
    if (codage == Codage::Utf8 && b.startsWith("\xEF\xBB\xBF")) sans_marque.remove(0, 3);
    FUZZ_VERIFIE(encode_texte(decode_octets(b, codage), codage) == sans_marque);

    QBuffer tampon;
    tampon.setData(b);
    tampon.open(QIODevice::ReadOnly);
    FUZZ_VERIFIE(lit_premieres_lignes(tampon, int(entier.size()) + 1, b.size() + 1) == entier);
    tampon.seek(0);
    const QStringList trois = lit_premieres_lignes(tampon, 3, 8);
    FUZZ_VERIFIE(trois.size() <= 3);
    for (const QString& l : trois)
        FUZZ_VERIFIE(l.toUtf8().size() <= 8 * 2);
    return 0;
}
