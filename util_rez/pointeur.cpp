#include "util_rez/pointeur.h"

#include "util_rez/fichier_texte.h"

#include <QFile>

namespace {
QString chemin_pointeur(const QString& dossier_prog, const QString& nom) {
    if (dossier_prog.endsWith(QLatin1Char('/')))
        return dossier_prog + nom;
    return dossier_prog + QLatin1Char('/') + nom;
}
} // namespace

QString lit_pointeur(const QString& dossier_prog, const QString& nom) {
    QFile f(chemin_pointeur(dossier_prog, nom));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    Codage codage;
    const QStringList lignes = coupe_lignes(decode_octets(f.readAll(), codage));
    return lignes.isEmpty() ? QString() : lignes.first();
}

bool ecrit_pointeur(const QString& dossier_prog, const QString& nom, const QString& valeur) {
    return ecrit_fichier_texte(chemin_pointeur(dossier_prog, nom), {valeur});
}
