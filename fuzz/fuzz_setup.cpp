// The setup file reader on the real file path: it stops at a bad integer line or after eleven
// lines, never reads a line longer than its bound, and what it read, saved and read again,
// is the same settings.
#include "commun.h"
#include "util_rez/config/setup.h"
#include "util_rez/files/fichier_texte.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    static fuzz::FichierMemoire fichier;
    fichier.remplace(fuzz::octets(data, taille));
    const ReglagesSetup depart;
    const LectureSetup lu = lit_setup(fichier.chemin(), depart);
    FUZZ_VERIFIE(lu.fichier_present);
    FUZZ_VERIFIE(lu.lignes_appliquees >= 0 && lu.lignes_appliquees <= 11);
    FUZZ_VERIFIE(lu.erreur.has_value() == (lu.lignes_appliquees < 10));
    const ReglagesSetup& r = lu.reglages;
    for (const QString* t : {&r.periode, &r.epaisseur, &r.decimale, &r.nom_haut, &r.nom_bas, &r.fenetre})
        FUZZ_VERIFIE(t->size() <= 4096 && !t->contains(u'\n') && !t->contains(u'\r'));
    if (lu.erreur) return 0;

    // A text that is longer once written in UTF-8 may be cut at the bound the second time, and a
    // byte-order mark in front of the first line is no text.
    const QStringList lignes = lignes_setup(r);
    for (const QString& l : lignes)
        if (l.toUtf8().size() > 4096) return 0;
    if (r.periode.startsWith(QChar(0xFEFF))) return 0;
    fichier.remplace(encode_lignes(lignes, Codage::Utf8));
    const LectureSetup relu = lit_setup(fichier.chemin(), ReglagesSetup());
    FUZZ_VERIFIE(!relu.erreur && lignes_setup(relu.reglages) == lignes);
    return 0;
}
