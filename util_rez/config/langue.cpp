#include "util_rez/config/langue.h"

#include "util_rez/base/texte.h"

QString TableLangue::texte_message(int numero) const {
    if (contient(numero))
        return lignes_[numero];
    return QStringLiteral("ww(%1)=?").arg(numero);
}

QStringList entrees_langue(const QStringList& lignes_fichier, bool avec_numero) {
    QStringList entrees;
    for (const QString& brute : lignes_fichier) {
        const QString ligne = coupe_espaces(brute);
        if (ligne.isEmpty() || ligne.startsWith(QLatin1Char('\'')))
            continue;
        entrees.append(sans_numero(ligne, avec_numero));
    }
    return entrees;
}

void TableLangue::charge_maitre(const QStringList& lignes_fichier, bool avec_numero) {
    lignes_ = QStringList{QStringLiteral(" ")} + entrees_langue(lignes_fichier, avec_numero);
}

void TableLangue::charge_surcouche(const QStringList& lignes_fichier, bool avec_numero) {
    const QStringList entrees = entrees_langue(lignes_fichier, avec_numero);
    for (qsizetype i = 0; i < entrees.size() && i + 1 < lignes_.size(); ++i)
        lignes_[i + 1] = entrees[i];
}
