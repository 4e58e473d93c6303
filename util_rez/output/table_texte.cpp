#include "util_rez/output/table_texte.h"

#include "util_rez/base/extrait.h"
#include "util_rez/base/texte.h"

namespace {

const QString runtime = QStringLiteral("Runtime");

bool est_enregistrement(const QString& nu) {
    return nu.startsWith(QLatin1Char('0'));
}

} // namespace

QString ligne_table(QStringView texte) {
    Champs champs(texte, QLatin1Char(' '));
    QString r = champs.suivant().toString();
    for (int n = 2; n <= 7; ++n) {
        r += QLatin1Char('\t');
        r += champs.suivant();
    }
    return r;
}

QStringList lignes_table_texte(const LignesCible& lignes, const QStringList& commentaire, bool mode_virgule) {
    QStringList nus;
    nus.reserve(lignes.size());
    for (const QString& l : lignes)
        nus.append(enleve_guillemets(l));
    QStringList table;
    for (const QString& nu : nus) {
        if (!est_enregistrement(nu) && !nu.contains(runtime))
            table.append(nu);
    }
    table += commentaire;
    table << QString() << QString();
    for (qsizetype i = 0; i + 1 < nus.size(); ++i) {
        if (nus[i].contains(runtime)) {
            table.append(ligne_table(nus[i]));
            break;
        }
    }
    for (const QString& nu : nus) {
        if (!est_enregistrement(nu))
            continue;
        const QString rangee = ligne_table(nu);
        table.append(mode_virgule ? remplace_car(rangee, QLatin1Char('.'), QLatin1Char(',')) : rangee);
    }
    return table;
}
