#include "util_rez/target/remplit_tableau.h"

#include "util_rez/base/extrait.h"
#include "util_rez/target/texte_cible.h"

#include <algorithm>

namespace {

constexpr QChar blanc(u' ');
constexpr int ligne_des_noms = 2; // the third line, counting from 0

bool est_enregistrement(const QString& ligne) {
    return ligne.size() >= 2 && ligne[0] == u'"' && ligne[1] >= u'0' && ligne[1] <= u'4';
}

// A writer that drops the leading zeros of its run time ("5.00" for "00005.00") writes lines
// that are no records by the rule above; they are counted, so that the loss shows.
bool est_enregistrement_ecarte(const QString& ligne) {
    return ligne.size() >= 2 && ligne[0] == u'"' && ligne[1] >= u'5' && ligne[1] <= u'9';
}

void lit_noms(QStringView s, ResultatParse& r) {
    const QString texte = s.toString();
    for (int j = 1; j <= 6; ++j)
        r.noms[j] = _extrait(texte, j + 1, blanc);
    r.noms[7] = r.noms[6] + QStringLiteral(" - ") + r.noms[4];
    r.noms[8] = r.noms[6] + QStringLiteral(" - ") + r.noms[2];
    r.noms_lus = true;
}

// The plain substring search would cost as much as the rest of the parse; records seldom
// hold an S, which the vectorised character search skips past.
bool contient_arret(QStringView s) {
    for (qsizetype i = s.indexOf(u'S'); i >= 0; i = s.indexOf(u'S', i + 1))
        if (s.sliced(i).startsWith(u"Stopped")) return true;
    return false;
}

bool contient_arret(QByteArrayView s) {
    for (qsizetype i = s.indexOf('S'); i >= 0; i = s.indexOf('S', i + 1))
        if (s.sliced(i).startsWith("Stopped")) return true;
    return false;
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

// A line whose first and last bytes are ASCII splits into the same fields as its text: the
// characters past ASCII it holds are bytes past ASCII, none of them a blank or part of a
// number. Any other line is decoded. The names' line is kept as text.
bool parse_octets(QByteArrayView o, qsizetype i, Tableau& tableau, ResultatParse& r) {
    const QByteArrayView s = o.size() >= 2 ? o.sliced(1, o.size() - 2) : QByteArrayView();
    if (contient_arret(s)) {
        r.arrete = true;
        return false;
    }
    if (o.size() >= 2 && o[0] == '"' && o[1] >= '0' && o[1] <= '9') {
        if (o[1] >= '5')
            ++r.enreg_ecartes;
        else
            lit_enregistrement(s, i, tableau, r);
    }
    return true;
}

} // namespace

bool parse_ligne(QByteArrayView octets, Codage codage, qsizetype i, QString& tampon, Tableau& tableau,
                 ResultatParse& r) {
    if (i < ligne_des_noms || octets.isEmpty() || octets[0] == '\'') return true;
    if (i > ligne_des_noms && est_ascii(octets.front()) && est_ascii(octets.back()))
        return parse_octets(octets, i, tableau, r);
    tampon = decode_ligne(octets, codage);
    return parse_ligne(tampon, i, tableau, r);
}

bool parse_ligne(const QString& ligne, qsizetype i, Tableau& tableau, ResultatParse& r) {
    if (i < ligne_des_noms || ligne.isEmpty() || ligne[0] == u'\'') return true;
    const QStringView s = QStringView(ligne).mid(1, ligne.size() - 2);
    if (contient_arret(s)) {
        r.arrete = true;
        return false;
    }
    if (i == ligne_des_noms)
        lit_noms(s, r);
    else if (est_enregistrement_ecarte(ligne))
        ++r.enreg_ecartes;
    else if (est_enregistrement(ligne))
        lit_enregistrement(s, i, tableau, r);
    return true;
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

ResultatParse remplit_tableau(const LignesCible& lignes, Tableau& tableau) {
    ResultatParse r;
    poursuit_parse(lignes, ligne_des_noms, lignes.size(), tableau, r);
    return r;
}
