// The language file reader on the real file path: a master file and a translation over it.
// The master decides how many texts there are, a translation replaces texts and adds none,
// and every number reads a text or the missing-text form.
#include "commun.h"
#include "util_rez/config/langue.h"
#include "util_rez/files/fichier_texte.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    static fuzz::FichierMemoire fichier;
    const auto [maitre, traduction] = fuzz::coupe_en_deux(fuzz::octets(data, taille));
    const bool avec_numero = taille > 0 && (data[0] & 1);
    TableLangue table;
    fichier.remplace(maitre);
    const QStringList lignes_maitre = lit_fichier_texte(fichier.chemin()).lignes;
    table.charge_maitre(lignes_maitre, avec_numero);
    const qsizetype taille_table = table.lignes().size();
    FUZZ_VERIFIE(taille_table == 1 + entrees_langue(lignes_maitre, avec_numero).size());
    FUZZ_VERIFIE(table.texte_message(0) == QStringLiteral(" "));

    fichier.remplace(traduction);
    const QStringList entrees = entrees_langue(lit_fichier_texte(fichier.chemin()).lignes, avec_numero);
    table.charge_surcouche(lit_fichier_texte(fichier.chemin()).lignes, avec_numero);
    FUZZ_VERIFIE(table.lignes().size() == taille_table);
    for (qsizetype n = 1; n < taille_table && n <= entrees.size(); ++n)
        FUZZ_VERIFIE(table.texte_message(int(n)) == entrees[n - 1]);
    // Lines are trimmed before their label is cut: no entry ends with a blank.
    for (const QString& e : entrees)
        FUZZ_VERIFIE(!e.endsWith(u' '));
    FUZZ_VERIFIE(table.texte_message(int(taille_table)) == QStringLiteral("ww(%1)=?").arg(taille_table));
    FUZZ_VERIFIE(table.texte_message(-1) == QStringLiteral("ww(-1)=?"));
    return 0;
}
