// The comment cut: a block appended after any lines comes off again whole, and the bytes a
// save keeps are the file's own first lines, after which the new block is found again.
#include "commun.h"
#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/commentaire.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/texte_cible.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    const auto [tete, reste] = fuzz::coupe_en_deux(fuzz::octets(data, taille));
    Codage codage;
    const QString marque = coupe_espaces(coupe_lignes(decode_octets(tete, codage)).value(0));
    const auto [corps, bloc] = fuzz::coupe_en_deux(reste);
    const QStringList lignes = coupe_lignes(decode_octets(corps, codage));
    const QStringList commentaire = coupe_lignes(decode_octets(bloc, codage));
    const auto coupe = [&](const QByteArray& octets, Codage codage_octets_lus, QStringList& restent) {
        LignesCible l(octets, codage_octets_lus);
        std::optional<QStringList> c = coupe_commentaire(l, marque);
        restent = l.mid(0);
        return c;
    };

    // The heading is the first line from the third on that is the mark, blanks trimmed.
    qsizetype m = -1;
    for (qsizetype i = 2; i < lignes.size() && m < 0 && !marque.isEmpty(); ++i)
        if (coupe_espaces(lignes[i]) == marque) m = i;
    QStringList coupees;
    const std::optional<QStringList> trouve = coupe(corps, codage_octets(corps), coupees);
    FUZZ_VERIFIE(trouve.has_value() == (m >= 0));
    if (trouve) {
        FUZZ_VERIFIE(coupees == lignes.first(m - 1));
        FUZZ_VERIFIE(*trouve == lignes.sliced(m + 1));
    }

    // Written after lines that hold no heading of their own, the block is what the cut finds
    // (a first line that begins with a byte-order mark would lose it, as the file's own).
    const QStringList nouveau = bloc_commentaire(marque, commentaire);
    if (!marque.isEmpty() && !lignes.isEmpty() && m < 0 && !car_non_codable(lignes + nouveau, codage) &&
        !lignes[0].startsWith(QChar(0xFEFF))) {
        QStringList restent;
        const std::optional<QStringList> relu = coupe(encode_lignes(lignes + nouveau, codage), codage, restent);
        FUZZ_VERIFIE(relu && *relu == commentaire && restent == lignes);
    }

    // A save keeps the first k lines of the bytes, each with its own break, and appends the block
    // after them, which the cut then finds again.
    const qsizetype k =
        lignes.isEmpty() ? 0 : qsizetype(uchar(tete.isEmpty() ? 0 : tete[0])) % (lignes.size() + 1);
    const QByteArray gardes = corps.first(fin_cible(corps, k));
    const qsizetype attendues = lignes.size() - k <= 1 ? lignes.size() : k;
    FUZZ_VERIFIE(coupe_lignes(decode_octets(gardes, codage)).size() == attendues);
    FUZZ_VERIFIE(gardes.size() == corps.size() || gardes.isEmpty() || gardes.endsWith('\n') || gardes.endsWith('\r'));
    // Read in another encoding than the whole file's, the kept lines are other lines.
    const QByteArray octets = gardes + ajout_commentaire(gardes, nouveau, codage);
    if (!marque.isEmpty() && m < 0 && attendues >= 1 && !car_non_codable(nouveau, codage) &&
        codage_octets(octets) == codage_octets(corps)) {
        QStringList restent;
        const std::optional<QStringList> relu = coupe(octets, codage_octets(octets), restent);
        FUZZ_VERIFIE(relu && *relu == commentaire && restent.size() == attendues);
    }
    return 0;
}
