#include "util_rez/target/rendu.h"

#include "util_rez/config/emplacements.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lecture_cible.h"
#include "util_rez/base/texte.h"

#include <QFileInfo>

namespace {

// The full-scale fields' texts before any load.
const QString etendue_x_initiale = QStringLiteral("5");
const QString etendue_y_initiale = QStringLiteral("100");

QString texte_autoscale(long double maximum, const QString& texte_actuel) {
    const auto v = valeur_autoscale(maximum);
    return v ? QString::number(*v) : texte_actuel;
}

} // namespace

PlanCible charge_plan(const QString& chemin, const QString& titre_commentaire) {
    PlanCible plan;
    LectureCible lecture;
    lecture.charge(chemin, lit_octets(chemin), coupe_espaces(titre_commentaire), *plan.tableau);
    plan.parse = lecture.parse();
    plan.texte_x = texte_autoscale(plan.parse.max_x, etendue_x_initiale);
    plan.texte_y = texte_autoscale(plan.parse.max_y, etendue_y_initiale);
    return plan;
}

TableLangue charge_table_langue(const Emplacements& lieux, const QString& fichier_langue, QStringList& absents) {
    TableLangue table;
    const auto charge = [&](const QString& nom, bool maitre) {
        const QString chemin = lieux.chemin_lu(nom);
        if (!QFileInfo(chemin).isFile()) {
            absents.append(chemin);
            return;
        }
        const QStringList lignes = lit_fichier_texte(chemin).lignes;
        if (maitre)
            table.charge_maitre(lignes, false);
        else
            table.charge_surcouche(lignes, false);
    };
    charge(fichier_langue_maitre, true);
    if (!fichier_langue.isEmpty() && fichier_langue != fichier_langue_maitre) charge(fichier_langue, false);
    return table;
}
