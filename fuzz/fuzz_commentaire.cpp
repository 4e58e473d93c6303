// The comment cut: a block appended after any lines comes off again whole, and the bytes a
// save keeps are the file's own first lines, after which the new block is found again.
#include "commun.h"
#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/commentaire.h"
#include "util_rez/target/texte_cible.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    const auto [tete, reste] = fuzz::coupe_en_deux(fuzz::octets(data, taille));
    Codage codage;
    const QString marque = coupe_espaces(coupe_lignes(decode_octets(tete, codage)).value(0));
    const auto [corps, bloc] = fuzz::coupe_en_deux(reste);
    const QStringList lignes = coupe_lignes(decode_octets(corps, codage));
    const QStringList commentaire = coupe_lignes(decode_octets(bloc, codage));

    QStringList coupees = lignes;
    const std::optional<QStringList> trouve = coupe_commentaire(coupees, marque);
    const qsizetype m = cherche_marque(lignes, 0, marque);
    FUZZ_VERIFIE(trouve.has_value() == (m >= 0));
    if (trouve) {
        FUZZ_VERIFIE(m >= 2);
        FUZZ_VERIFIE(coupees == lignes.first(m - 1));
        FUZZ_VERIFIE(*trouve == lignes.sliced(m + 1));
    }

    // Written after lines that hold no heading of their own, the block is what the cut finds.
    if (!marque.isEmpty() && !lignes.isEmpty() && m < 0) {
        QStringList avec_bloc = lignes + bloc_commentaire(marque, commentaire);
        const std::optional<QStringList> relu = coupe_commentaire(avec_bloc, marque);
        FUZZ_VERIFIE(relu && *relu == commentaire && avec_bloc == lignes);
    }

    // A save keeps the first k lines of the bytes, each with its own break, and appends the block
    // after them, which the cut then finds again.
    const qsizetype k =
        lignes.isEmpty() ? 0 : qsizetype(uchar(tete.isEmpty() ? 0 : tete[0])) % (lignes.size() + 1);
    const QByteArray gardes = corps.first(fin_cible(corps, k));
    const qsizetype attendues = lignes.size() - k <= 1 ? lignes.size() : k;
    FUZZ_VERIFIE(coupe_lignes(decode_octets(gardes, codage)).size() == attendues);
    FUZZ_VERIFIE(gardes.size() == corps.size() || gardes.isEmpty() || gardes.endsWith('\n') || gardes.endsWith('\r'));
    const QStringList nouveau = bloc_commentaire(marque, commentaire);
    if (!marque.isEmpty() && m < 0 && attendues >= 1 && !car_non_codable(nouveau, codage)) {
        QStringList relues = coupe_lignes(decode_octets(gardes + ajout_commentaire(gardes, nouveau, codage), codage));
        const std::optional<QStringList> relu = coupe_commentaire(relues, marque);
        FUZZ_VERIFIE(relu && *relu == commentaire && relues.size() == attendues);
    }
    return 0;
}
