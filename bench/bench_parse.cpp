#include "mesure.h"
#include "util_rez/base/echelles.h"
#include "util_rez/target/remplit_tableau.h"

#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

int main() {
    const QStringList lignes = mesure::course_5000().lignes();
    auto tableau = std::make_unique<Tableau>();

    constexpr int nb_passes = 200;
    std::vector<double> durees;
    durees.reserve(nb_passes);
    for (int p = 0; p < nb_passes; ++p) {
        const double debut = mesure::cpu_ms();
        const ResultatParse r = remplit_tableau(lignes, *tableau);
        const auto x = valeur_autoscale(r.max_x);
        const auto y = valeur_autoscale(r.max_y);
        durees.push_back(mesure::cpu_ms() - debut);
        if (r.nb_enreg != 5000 || !x || !y) {
            std::fprintf(stderr, "parse_5000: the generated file was not read\n");
            return 1;
        }
    }
    mesure::affiche("parse_5000", durees);
    return 0;
}
