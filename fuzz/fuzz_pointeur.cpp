// The remembered-value reader on the real file path: one line, its break left out, bounded.
#include "commun.h"
#include "util_rez/config/pointeur.h"
#include "util_rez/files/fichier_texte.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    static fuzz::FichierMemoire fichier;
    const QByteArray b = fuzz::octets(data, taille);
    fichier.remplace(b);
    const Emplacements lieux(fichier.dossier(), QString(), true);
    const QString valeur = lit_pointeur(lieux, fichier.nom());
    FUZZ_VERIFIE(!valeur.contains(u'\r') && !valeur.contains(u'\n'));
    FUZZ_VERIFIE(valeur.size() <= 4096);
    // A short first line is the whole first line, decoded as the file's first line alone.
    const qsizetype fin = std::min(b.indexOf('\r') < 0 ? b.size() : b.indexOf('\r'),
                                   b.indexOf('\n') < 0 ? b.size() : b.indexOf('\n'));
    if (fin <= 4096) {
        Codage codage;
        FUZZ_VERIFIE(valeur == coupe_lignes(decode_octets(b.first(fin), codage)).value(0));
    }
    return 0;
}
