#include "util_rez/output/plan_tableur.h"

#include "util_rez/base/texte.h"
#include "util_rez/output/nombre_tableur.h"

#include <algorithm>

namespace {

constexpr int colonne_K = 11;

// Every line holding "Stopped" from the fourth on starts a block that runs to the last line;
// a second such line starts a second block, so the lines after it appear twice.
void planifie_colonne_K(const DonneesTableur& d, QList<CelluleTableur>& c) {
    int ligne = 0;
    for (qsizetype i = 3; i < d.lignes.size(); ++i) {
        if (!d.lignes[i].contains(QLatin1String("Stopped")))
            continue;
        for (qsizetype j = i; j < d.lignes.size(); ++j)
            c.append({++ligne, colonne_K, enleve_guillemets(d.lignes[j])});
    }
    for (const QString& l : d.commentaire)
        c.append({++ligne, colonne_K, l});
}

} // namespace

PlanTableur planifie_tableur(const DonneesTableur& d) {
    PlanTableur p;
    p.cellules.append({1, 1, enleve_guillemets(d.lignes.value(0))});
    p.cellules.append({2, 1, enleve_guillemets(d.lignes.value(1))});
    planifie_colonne_K(d, p.cellules);
    p.cellules.append({6, 1, QStringLiteral("Runtime")});
    for (int k = 1; k <= 8; ++k)
        p.cellules.append({6, k + 1, d.noms[k]});
    if (!d.tableau || d.nb_enreg <= 0)
        return p;
    const int n = std::min({d.nb_enreg, d.tableau->taille(), PlanTableur::enreg_max});
    p.cellules.append({1, 9, QString::number(n)});
    p.bloc.reserve(n);
    for (int r = 1; r <= n; ++r) {
        QStringList rang;
        rang.reserve(nb_colonnes);
        for (int j = 1; j <= nb_colonnes; ++j)
            rang.append(nombre_tableur((*d.tableau)(j, r), d.virgule));
        p.bloc.append(rang);
    }
    return p;
}
