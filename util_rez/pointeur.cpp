#include "util_rez/pointeur.h"

#include "util_rez/fichier_texte.h"

#include <QFile>

QString lit_pointeur(const Emplacements& emplacements, const QString& nom) {
    QFile f(emplacements.chemin_lu(nom));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    Codage codage;
    const QStringList lignes = coupe_lignes(decode_octets(f.readAll(), codage));
    return lignes.isEmpty() ? QString() : lignes.first();
}

bool ecrit_pointeur(const Emplacements& emplacements, const QString& nom, const QString& valeur) {
    return ecrit_fichier_texte(emplacements.chemin_ecrit(nom), {valeur});
}
