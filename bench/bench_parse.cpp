#include "mesure.h"
#include "util_rez/base/echelles.h"
#include "util_rez/target/remplit_tableau.h"

#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A run as the logger writes it: two header lines, the names line, records of seven
// decimal numbers with varying widths, each line enclosed in double quotes.
QString fichier_cible(int nb_enreg) {
    QString t;
    t.reserve(nb_enreg * 64);
    t += QStringLiteral("\"Run 2024-03-18 10:42:07  station B  operator JM\"\n");
    t += QStringLiteral("\"Interval 1.000 s  Gain 12  Filter on\"\n");
    t += QStringLiteral("\"Runtime T1 T2 Pressure Flow Level Counts\"\n");
    for (int k = 1; k <= nb_enreg; ++k) {
        const double s = k * 0.25;
        t += QStringLiteral("\"%1 %2  %3 %4 %5 %6 %7\"\n")
                 .arg(s, 9, 'f', 3, u'0')
                 .arg(20.0 + (k % 97) * 0.13771, 0, 'f', 5)
                 .arg(21.5 + (k % 89) * 0.12113, 0, 'f', 5)
                 .arg(1013.25 - (k % 53) * 0.7131, 0, 'f', 4)
                 .arg((k % 211) * 0.047317, 0, 'f', 6)
                 .arg(45.0 + (k % 31) * 1.53, 0, 'f', 3)
                 .arg(k * 37 % 100000);
    }
    return t;
}

} // namespace

int main() {
    const QString texte = fichier_cible(capacite_tableau);
    const QStringList lignes = texte.split(u'\n');
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
        if (r.nb_enreg != capacite_tableau || !x || !y) {
            std::fprintf(stderr, "parse_5000: the generated file was not read\n");
            return 1;
        }
    }
    mesure::affiche("parse_5000", durees);
    return 0;
}
