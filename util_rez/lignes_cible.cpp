#include "util_rez/lignes_cible.h"

#include "util_rez/texte.h"

bool ligne_inachevee(const TexteLu& lu) {
    if (lu.fin_de_ligne_finale || lu.lignes.isEmpty()) return false;
    const QString& l = lu.lignes.last();
    return l.startsWith(QLatin1Char('"')) && (l.size() < 2 || !l.endsWith(QLatin1Char('"')));
}

std::optional<QStringList> coupe_commentaire(QStringList& lignes, const QString& titre_commentaire) {
    const QString marque = coupe_espaces(titre_commentaire);
    for (qsizetype m = 2; m < lignes.size(); ++m) {
        if (coupe_espaces(lignes[m]) != marque) continue;
        QStringList commentaire = lignes.mid(m + 1);
        lignes.erase(lignes.begin() + (m - 1), lignes.end());
        return commentaire;
    }
    return std::nullopt;
}
