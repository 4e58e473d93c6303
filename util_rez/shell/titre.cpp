#include "util_rez/shell/titre.h"

#include <QFileInfo>
#include <QStringList>

QString titre_fenetre(const QString& session, const QString& chemin_cible) {
    QStringList parties;
    if (!session.trimmed().isEmpty()) parties << session.trimmed();
    if (!chemin_cible.isEmpty()) parties << QFileInfo(chemin_cible).fileName();
    parties << QStringLiteral("Lintrace");
    return parties.join(QStringLiteral(" \u2013 "));
}
