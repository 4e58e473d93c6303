#include "util_rez/target/remplit_tableau.h"

#include "util_rez/base/extrait.h"
#include "util_rez/target/texte_cible.h"

#include <algorithm>
#include <type_traits>

namespace {

constexpr QChar blanc(u' ');
constexpr int ligne_des_noms = 2; // the third line, counting from 0

void lit_noms(QStringView s, ResultatParse& r) {
    const QString texte = s.toString();
    for (int j = 1; j <= 6; ++j)
        r.noms[j] = _extrait(texte, j + 1, blanc);
    r.noms[7] = r.noms[6] + QStringLiteral(" - ") + r.noms[4];
    r.noms[8] = r.noms[6] + QStringLiteral(" - ") + r.noms[2];
    r.noms_lus = true;
}

// Fields 1 to 7 read in one scan: the same values as extrait_reel(s, c, blank, 0).
template <typename Vue> void lit_enregistrement(Vue s, qsizetype ligne, Tableau& t, ResultatParse& r) {
    ChampsDe<Vue> champs(s, blanc);
    std::array<double, nb_colonnes_lues + 1> valeurs{};
    long double max_x = r.max_x, max_y = r.max_y;
    for (int c = 1; c <= nb_colonnes_lues; ++c) {
        const long double v = lit_reel(champs.suivant(), 0);
        // The maxima see the extended value, before it is rounded into the table.
        if (c == 1 && v > max_x) max_x = v;
        if (c > 1 && v > max_y) max_y = v;
        valeurs[c] = static_cast<double>(v);
    }
    valeurs[0] = static_cast<double>(ligne);
    t.ajoute(valeurs);
    r.max_x = max_x;
    r.max_y = max_y;
    ++r.nb_enreg;
}

// A line from the names' line on, as text or, when its first and last bytes are ASCII, as its
// bytes: its characters past ASCII are then bytes past ASCII, none of them a blank, a quote or
// part of a number, so it splits into the same fields. A run time beginning with 5 to 9 is a
// writer's that dropped the leading zeros ("5.00" for "00005.00"): no record, but counted, so
// that the loss shows.
template <typename Vue> bool parse_vue(Vue ligne, qsizetype i, Tableau& tableau, ResultatParse& r) {
    const Vue s = ligne.size() >= 2 ? ligne.sliced(1, ligne.size() - 2) : Vue();
    if (contient_arret(s)) {
        r.arrete = true;
        return false;
    }
    if constexpr (std::is_same_v<Vue, QStringView>) {
        if (i == ligne_des_noms) {
            lit_noms(s, r);
            return true;
        }
    }
    if (ligne.size() < 2 || code_car(ligne[0]) != u'"') return true;
    const char16_t c = code_car(ligne[1]);
    if (c >= u'5' && c <= u'9')
        ++r.enreg_ecartes;
    else if (c >= u'0' && c <= u'4')
        lit_enregistrement(s, i, tableau, r);
    return true;
}

} // namespace

// The plain substring search would cost as much as the rest of the parse; records seldom
// hold an S, which the vectorised character search skips past.
bool contient_arret(QStringView s) {
    for (qsizetype i = s.indexOf(u'S'); i >= 0; i = s.indexOf(u'S', i + 1))
        if (s.sliced(i).startsWith(u"Stopped")) return true;
    return false;
}

bool contient_arret(QByteArrayView s) {
    return contient_ascii(s, "Stopped");
}

bool parse_ligne(QByteArrayView octets, Codage codage, qsizetype i, QString& tampon, Tableau& tableau,
                 ResultatParse& r) {
    if (i < ligne_des_noms || octets.isEmpty() || octets[0] == '\'') return true;
    if (i > ligne_des_noms && est_ascii(octets.front()) && est_ascii(octets.back()))
        return parse_vue(octets, i, tableau, r);
    tampon = decode_ligne(octets, codage);
    return parse_ligne(tampon, i, tableau, r);
}

bool parse_ligne(const QString& ligne, qsizetype i, Tableau& tableau, ResultatParse& r) {
    if (i < ligne_des_noms || ligne.isEmpty() || ligne[0] == u'\'') return true;
    return parse_vue(QStringView(ligne), i, tableau, r);
}

// Lines read from their bytes; the few that are decoded go into one buffer used again.
void poursuit_parse(const LignesCible& lignes, qsizetype debut, qsizetype fin, Tableau& tableau,
                    ResultatParse& r) {
    tableau.tronque(r.nb_enreg);
    if (r.arrete) return;
    fin = std::min(fin, lignes.size());
    QString ligne;
    for (qsizetype i = std::max<qsizetype>(debut, ligne_des_noms); i < fin; ++i)
        if (!parse_ligne(lignes.octets_ligne(i), lignes.codage(), i, ligne, tableau, r)) break;
}

void prolonge_parse(Tableau& tableau, ResultatParse& r, Tableau& suite, const ResultatParse& r_suite,
                    double decalage) {
    tableau.prolonge(suite, decalage);
    r.nb_enreg += r_suite.nb_enreg;
    r.max_x = std::max(r.max_x, r_suite.max_x);
    r.max_y = std::max(r.max_y, r_suite.max_y);
    r.enreg_ecartes += r_suite.enreg_ecartes;
    r.arrete = r_suite.arrete;
}

ResultatParse remplit_tableau(const LignesCible& lignes, Tableau& tableau) {
    ResultatParse r;
    poursuit_parse(lignes, ligne_des_noms, lignes.size(), tableau, r);
    return r;
}
