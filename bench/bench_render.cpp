// Whole-process cost of lintrace-render on a 5000-record run against gnuplot's png terminal
// drawing the same seven curves with points and lines from the same file. The figure is the
// CPU time (user + system) of each child as the kernel accounts it, which other work on a
// shared machine does not inflate; the wall time is printed beside it.
#include "cible_essai.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int nb_enreg = 5000;
constexpr int nb_tours = 21;

QByteArray fichier_cible() {
    return aide_test::CibleEssai{.titre = "Test bench 3 - run 12",
                                 .operateur = "Operator: bench",
                                 .noms = "Runtime Flow T_in dP T_wall Power T_out",
                                 .enregistrements = nb_enreg,
                                 .pas = 0.1,
                                 .largeur_temps = 7,
                                 .decimales_temps = 1,
                                 .valeur =
                                     [](int k, int c) {
                                         const double t = k * 0.1;
                                         const double v[] = {10 + 5 * std::sin(t / 30),  20 + t / 10,
                                                             30 + 10 * std::cos(t / 50), 40 + t * 0.05,
                                                             50 + 3 * std::sin(t / 10),  60 + t * 0.08};
                                         return v[c - 2];
                                     },
                                 .decimales = 2,
                                 .arrete = true,
                                 .resume = QStringList{}}
        .octets();
}

// Each record is one quoted column to gnuplot; its fields are the words of that string.
QByteArray script_gnuplot() {
    QByteArray s = "set terminal png size 624,503\nset output 'gnuplot.png'\nset key off\n"
                   "f(c) = real(word(strcol(1), c))\nplot ";
    const char* const y[] = {"f(2)", "f(3)", "f(4)", "f(5)", "f(6)", "f(7)", "f(7)-f(5)"};
    for (int k = 0; k < 7; ++k)
        s += QByteArray(k == 0 ? "'run.txt'" : ", ''") + " every ::3::" + QByteArray::number(nb_enreg + 2) +
             " using (f(1)):(" + y[k] + ") with linespoints";
    return s + "\n";
}

struct Mesure {
    double cpu_ms;
    double mur_ms;
};

Mesure lance(const std::vector<std::string>& commande) {
    std::vector<char*> argv;
    for (const auto& a : commande)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto debut = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(1);
    }
    int statut = 0;
    rusage r{};
    wait4(pid, &statut, 0, &r);
    const auto fin = std::chrono::steady_clock::now();
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0]);
        std::exit(1);
    }
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms(r.ru_utime) + ms(r.ru_stime), std::chrono::duration<double, std::milli>(fin - debut).count()};
}

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void ecrit(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size()) std::exit(1);
}

} // namespace

int main() {
    QTemporaryDir dossier;
    ecrit(dossier.filePath("run.txt"), fichier_cible());
    ecrit(dossier.filePath("plot.gp"), script_gnuplot());
    if (!QDir::setCurrent(dossier.path())) return 1;
    const std::vector<std::string> rendu{LINTRACE_BIN_DIR "/lintrace-render", "run.txt", "render.png"};
    const std::vector<std::string> gnuplot{"gnuplot", "plot.gp"};
    lance(rendu); // the first runs fill the disk and font caches for both
    lance(gnuplot);
    std::vector<double> cpu_r, mur_r, cpu_g, mur_g;
    for (int i = 0; i < nb_tours; ++i) {
        const Mesure r = lance(rendu);
        const Mesure g = lance(gnuplot);
        cpu_r.push_back(r.cpu_ms);
        mur_r.push_back(r.mur_ms);
        cpu_g.push_back(g.cpu_ms);
        mur_g.push_back(g.mur_ms);
    }
    const double r = mediane(cpu_r), g = mediane(cpu_g);
    std::printf("lintrace-render_5000 (png 624x503): median %.1f ms CPU, %.1f ms wall\n", r, mediane(mur_r));
    std::printf("gnuplot_png_5000 (7 curves, linespoints): median %.1f ms CPU, %.1f ms wall\n", g,
                mediane(mur_g));
    std::printf("render/gnuplot CPU ratio: %.2f (target at most 0.50), %d runs each\n", r / g, nb_tours);
    return 0;
}
