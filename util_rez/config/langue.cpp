#include "util_rez/config/langue.h"

#include "util_rez/base/texte.h"
#include "util_rez/config/emplacements.h"
#include "util_rez/config/setup.h"
#include "util_rez/files/fichier_texte.h"

#include <QFileInfo>

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

void charge_table_langue(TableLangue& table, const Emplacements& lieux, const QString& fichier_langue,
                         bool avec_numero, const std::function<void(const QString&)>& absent) {
    const auto charge = [&](const QString& nom, bool maitre) {
        const QString chemin = lieux.chemin_lu(nom);
        if (!QFileInfo(chemin).isFile()) {
            absent(chemin);
            return;
        }
        const QStringList lignes = lit_fichier_texte(chemin, taille_max_langue).lignes;
        if (maitre)
            table.charge_maitre(lignes, avec_numero);
        else
            table.charge_surcouche(lignes, avec_numero);
    };
    charge(fichier_langue_maitre, true);
    if (!fichier_langue.isEmpty() && fichier_langue != fichier_langue_maitre) charge(fichier_langue, false);
}

QString marques_commentaire(const Emplacements& lieux, const QString& actuelle) {
    constexpr int titre_commentaire = 50;
    QStringList marques{coupe_espaces(actuelle)};
    for (int i = 0; i < 4; ++i) {
        const QString chemin = lieux.chemin_lu(nom_fichier_langue(i));
        if (!QFileInfo(chemin).isFile()) continue;
        try {
            const QString titre = coupe_espaces(
                entrees_langue(lit_fichier_texte(chemin, taille_max_langue).lignes, false).value(titre_commentaire - 1));
            if (!titre.isEmpty() && !marques.contains(titre)) marques.append(titre);
        } catch (const ErreurRez&) {
            // A language file that cannot be read has been reported when it was chosen.
        }
    }
    return marques.join(QLatin1Char('\n'));
}
