#include "util_rez/output/plan_tableur.h"

#include "util_rez/base/texte.h"
#include "util_rez/output/nombre_tableur.h"
#include "util_rez/target/remplit_tableau.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int colonne_K = 11;

// Every line holding "Stopped" from the fourth on starts a block that runs to the last line;
// a second such line starts a second block, so the lines after it appear twice.
void planifie_colonne_K(const DonneesTableur& d, QList<CelluleTableur>& c) {
    int ligne = 0;
    for (qsizetype i = 3; i < d.lignes.size(); ++i) {
        // ASCII stands for itself in the encodings a target file is read in: no line is decoded
        // to be searched.
        if (!contient_arret(d.lignes.octets_ligne(i)))
            continue;
        for (qsizetype j = i; j < d.lignes.size(); ++j)
            c.append({++ligne, colonne_K, enleve_guillemets(d.lignes[j])});
    }
    for (const QString& l : d.commentaire)
        c.append({++ligne, colonne_K, l});
}

// Decimals of the shortest text that reads back as `v`: those the record line wrote, for any
// value written with up to 15 significant digits.
int decimales(double v) {
    if (!std::isfinite(v))
        return 0;
    char buf[32];
    const std::string s(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific).ptr);
    const auto e = s.find('e');
    const auto point = s.find('.');
    const int apres_point = point == std::string::npos ? 0 : static_cast<int>(e - point - 1);
    return std::max(0, apres_point - std::stoi(s.substr(e + 1)));
}

// 18.18 - 18.05 is 0.1299999999999999 in binary; the sheet should show what the line implies.
double arrondi_decimales(double v, int d) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, d);
    if (!std::isfinite(v) || r.ec != std::errc())
        return v;
    double arrondi = v;
    std::from_chars(buf, r.ptr, arrondi);
    return arrondi;
}

// Columns 8 and 9 are column 7 less column 5 and less column 3.
double valeur(const Tableau& t, int j, int r) {
    const int soustrait = j == 8 ? 5 : j == 9 ? 3 : 0;
    if (soustrait == 0)
        return t(j, r);
    return arrondi_decimales(t(j, r), std::max(decimales(t(7, r)), decimales(t(soustrait, r))));
}

ValeurCellule cellule(double v, bool virgule) {
    return std::isfinite(v) ? ValeurCellule(v) : ValeurCellule(nombre_tableur(v, virgule));
}

} // namespace

PlanTableur::PlanTableur(Tableau enregistrements, bool virgule)
    : enregistrements_(std::move(enregistrements)), virgule_(virgule) {}

QList<QList<ValeurCellule>> PlanTableur::rangs(int debut, int n) const {
    QList<QList<ValeurCellule>> rangs;
    n = std::clamp(n, 0, std::max(0, nb_rangs() - debut));
    rangs.reserve(n);
    for (int r = debut + 1; r <= debut + n; ++r) {
        QList<ValeurCellule> rang;
        rang.reserve(nb_colonnes);
        for (int j = 1; j <= nb_colonnes; ++j)
            rang.append(cellule(valeur(enregistrements_, j, r), virgule_));
        rangs.append(rang);
    }
    return rangs;
}

PlanTableur planifie_tableur(const DonneesTableur& d) {
    const int n =
        d.tableau ? std::clamp(std::min(d.nb_enreg, d.tableau->taille()), 0, PlanTableur::enreg_max) : 0;
    PlanTableur p(d.tableau ? d.tableau->debut(n) : Tableau(), d.virgule);
    p.cellules.append({1, 1, enleve_guillemets(d.lignes.value(0))});
    p.cellules.append({2, 1, enleve_guillemets(d.lignes.value(1))});
    planifie_colonne_K(d, p.cellules);
    p.cellules.append({6, 1, QStringLiteral("Runtime")});
    for (int k = 1; k <= 8; ++k)
        p.cellules.append({6, k + 1, d.noms[k]});
    if (n > 0)
        p.cellules.append({1, 9, QString::number(n)});
    return p;
}
