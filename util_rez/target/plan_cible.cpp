#include "util_rez/target/plan_cible.h"

#include "util_rez/base/echelles.h"
#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lecture_cible.h"

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
