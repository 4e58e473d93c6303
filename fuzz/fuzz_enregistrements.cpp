// The record parse and the field extractors over any text: the one-scan parse gives what the
// extractors give field by field, the parse in two steps gives what one parse gives, and a
// number reads as the C library reads the same decimal text.
#include "commun.h"
#include "util_rez/base/extrait.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/remplit_tableau.h"
#include "util_rez/target/texte_cible.h"

#include <cmath>
#include <cstring>
#include <locale.h>
#include <memory>
#include <string>

namespace {

const locale_t locale_c = newlocale(LC_ALL_MASK, "C", locale_t{});

bool chiffre(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The number grammar written out once more, apart from the reader: sign, digits, one point
// or comma, digits, an exponent with at least one digit; nothing before or after.
bool decimal(QStringView f, bool& mantisse) {
    qsizetype i = 0;
    const qsizetype n = f.size();
    if (i < n && (f[i] == u'+' || f[i] == u'-')) ++i;
    if (i == n) return false;
    mantisse = false;
    while (i < n && chiffre(f[i]))
        ++i, mantisse = true;
    if (i < n && (f[i] == u'.' || f[i] == u','))
        for (++i; i < n && chiffre(f[i]); ++i)
            mantisse = true;
    if (i < n && (f[i] == u'e' || f[i] == u'E')) {
        ++i;
        if (i < n && (f[i] == u'+' || f[i] == u'-')) ++i;
        if (i == n || !chiffre(f[i])) return false;
        while (i < n && chiffre(f[i]))
            ++i;
    }
    return i == n;
}

void verifie_nombre(QStringView f) {
    const long double lu = lit_reel(f, -7777.0L);
    bool mantisse = false;
    if (!decimal(f, mantisse)) {
        FUZZ_VERIFIE(lu == -7777.0L);
        return;
    }
    if (!mantisse) {
        FUZZ_VERIFIE(lu == 0);
        return;
    }
    std::string ascii = f.toString().replace(u',', u'.').toStdString();
    const long double attendu = strtold_l(ascii.c_str(), nullptr, locale_c);
    if (!std::isfinite(static_cast<double>(attendu)))
        FUZZ_VERIFIE(lu == -7777.0L);
    else
        FUZZ_VERIFIE(lu == attendu);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    const QByteArray octets = fuzz::octets(data, taille);
    const LignesCible lignes(octets, codage_octets(octets));
    static auto a = std::make_unique<Tableau>();
    static auto b = std::make_unique<Tableau>();
    const ResultatParse une = remplit_tableau(lignes, *a);
    ResultatParse deux;
    const qsizetype milieu = lignes.size() / 2;
    poursuit_parse(lignes, 0, milieu, *b, deux);
    poursuit_parse(lignes, milieu, lignes.size(), *b, deux);
    FUZZ_VERIFIE(une.nb_enreg >= 0 && a->taille() == une.nb_enreg && b->taille() == une.nb_enreg);
    FUZZ_VERIFIE(une.nb_enreg == deux.nb_enreg);
    FUZZ_VERIFIE(une.enreg_ecartes == deux.enreg_ecartes && une.arrete == deux.arrete);
    FUZZ_VERIFIE(une.noms == deux.noms && une.max_x == deux.max_x && une.max_y == deux.max_y);
    // Most lines are read from their bytes: the decoded text gives the same.
    static auto t = std::make_unique<Tableau>();
    t->tronque(0);
    ResultatParse texte;
    for (qsizetype i = 0; i < lignes.size() && parse_ligne(lignes[i], i, *t, texte); ++i) {
    }
    FUZZ_VERIFIE(une.nb_enreg == texte.nb_enreg && une.enreg_ecartes == texte.enreg_ecartes);
    FUZZ_VERIFIE(une.arrete == texte.arrete && une.max_x == texte.max_x && une.max_y == texte.max_y);
    for (int c = 0; c <= nb_colonnes_lues; ++c) {
        const size_t n = sizeof(double) * size_t(une.nb_enreg);
        FUZZ_VERIFIE(std::memcmp(a->colonne(c) + 1, b->colonne(c) + 1, n) == 0);
        FUZZ_VERIFIE(std::memcmp(a->colonne(c) + 1, t->colonne(c) + 1, n) == 0);
    }

    for (const QString& l : lignes) {
        Champs champs(l, u' ');
        for (int n = 1; n <= 8; ++n) {
            const QStringView champ = champs.suivant();
            FUZZ_VERIFIE(champ == vue_champ(l, n, u' '));
            if (!l.isEmpty()) FUZZ_VERIFIE(champ == _extrait(l, n, u' '));
            FUZZ_VERIFIE(lit_reel(champ, 0) == extrait_reel(l, n, u' ', 0));
            verifie_nombre(champ);
        }
        verifie_nombre(l);
    }
    return 0;
}
