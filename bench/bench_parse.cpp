#include "mesure.h"
#include "util_rez/base/echelles.h"
#include "util_rez/files/remplace_fichier.h"
#include "util_rez/output/table_texte.h"
#include "util_rez/target/lecture_cible.h"
#include "util_rez/target/remplit_tableau.h"
#include "util_rez/target/texte_cible.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The stages of loading a whole run of 3 000 000 records from its bytes, each timed once.
void course_3m() {
    const int n = 3000000;
    const QByteArray octets = mesure::octets_course_3m();
    std::printf("whole run: %d records, %lld MB\n", n, static_cast<long long>(octets.size() >> 20));
    double t = mesure::cpu_ms();
    const Codage codage = codage_lignes_completes(octets);
    std::printf("  encoding check: %.0f ms CPU\n", mesure::cpu_ms() - t);
    t = mesure::cpu_ms();
    const LignesCible lignes(octets, codage);
    std::printf("  line index: %.0f ms CPU\n", mesure::cpu_ms() - t);
    auto tableau = std::make_unique<Tableau>();
    t = mesure::cpu_ms();
    const ResultatParse r = remplit_tableau(lignes, *tableau);
    std::printf("  parse into the table: %.0f ms CPU (%d records)\n", mesure::cpu_ms() - t, r.nb_enreg);
    LectureCible lecture;
    t = mesure::cpu_ms();
    lecture.charge(QStringLiteral("run.txt"), octets, QStringLiteral("Comment"), *tableau);
    std::printf("  the whole load from the bytes: %.0f ms CPU, peak %.0f MB\n", mesure::cpu_ms() - t,
                mesure::pic_memoire_mo());
    t = mesure::cpu_ms();
    const QByteArray table = octets_table_texte(lignes, {}, true);
    std::printf("  the table export's bytes: %.0f ms CPU, %lld MB, peak %.0f MB\n", mesure::cpu_ms() - t,
                static_cast<long long>(table.size() >> 20), mesure::pic_memoire_mo());
    const QTemporaryDir dossier;
    QElapsedTimer mur;
    mur.start();
    t = mesure::cpu_ms();
    QString raison;
    if (!remplace_fichier(dossier.filePath(QStringLiteral("copy.txt")), octets_crlf(lignes), raison))
        std::printf("  %s\n", qPrintable(raison));
    std::printf("  the run and its comment written to another file: %.0f ms CPU, %lld ms wall\n",
                mesure::cpu_ms() - t, static_cast<long long>(mur.elapsed()));
}

} // namespace

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
    course_3m();
    return 0;
}
