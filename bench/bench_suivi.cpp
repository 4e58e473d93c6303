#include "_rez/tform1.h"
#include "cible_essai.h"
#include "mesure.h"
#include "plateforme_muette.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <string>

// The window following a target file, one case per run so that each peak memory is its own:
//   tick_full N    a tick that finds the file rewritten (a full reload and draw), N records
//   append N       a tick that finds one record appended to a file of N lines
//   idle           a tick that finds nothing changed
//   start N        the window's creation up to its first picture of a file of N records
//   print N        the print button on a file of N records, on the default printer: the
//                  preview, the question (answered Yes) and the page
//   writer F N S [MS]  not a measure: fills F with N records (written aside, then renamed into
//                  place), then appends one every MS ms (100 by default) for S s
// Each tick is timed with the events it leaves (the repaints) processed.

namespace {

// The demo writer's record layout, with a noisy sensor's values.
// `pas`: the run time between two records, the writer's interval.
aide_test::CibleEssai course(bool variante, QRandomGenerator& gen, double pas = 0.1) {
    const bool centiemes = pas < 0.1;
    return {.titre = variante ? "Test bench 3 - run B" : "Test bench 3 - run",
            .operateur = "Operator: demo   Sample: A-17",
            .noms = "Runtime Flow_lpm T_in dP_kPa T_wall Power_kW T_out",
            .pas = pas,
            .largeur_temps = centiemes ? 8 : 7,
            .decimales_temps = centiemes ? 2 : 1,
            .valeur =
                [&gen](int k, int c) {
                    const double palier = 20 * (c - 1);
                    return palier * (1 - std::exp(-k / 800.0)) + gen.bounded(6.0);
                },
            .largeur = 7,
            .decimales = 2};
}

int ecrit_fichier(const QString& chemin, int lignes, bool variante, QRandomGenerator& gen, double pas = 0.1) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(chemin));
    const aide_test::CibleEssai c = course(variante, gen, pas);
    f.write(c.octets());
    const int n = lignes - 3;
    for (int k = 0; k < n; k += 10000) // by blocks: a long run's file is never whole in memory
        f.write(c.ajout(k, std::min(10000, n - k)));
    return n;
}

void ajoute(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::Append)) qFatal("cannot append to %s", qPrintable(chemin));
    f.write(octets);
}

struct Banc {
    QTemporaryDir dossier;
    QString cible = dossier.filePath(QStringLiteral("run.txt"));
    std::unique_ptr<TForm1> f;

    void demarre(bool premier_tic = true, bool oui = false) {
        for (const char* n :
             {"Lintrace_lng.fr.txt", "Lintrace_lng.it.txt", "Lintrace_lng.en.txt", "Lintrace_lng.de.txt"})
            QFile::copy(QStringLiteral(LINTRACE_BIN_DIR "/") + QLatin1String(n),
                        dossier.filePath(QLatin1String(n)));
        f = std::make_unique<TForm1>(QStringList{cible}, dossier.path(),
                                     std::make_unique<PlateformeMuette>(oui));
        f->Timer1->stop();
        f->show();
        QCoreApplication::processEvents();
        if (premier_tic) tic(); // the first tick after a start reloads the file
    }
    std::vector<double> peintures; // the share of each tick spent repainting
    double tic() {
        const double debut = mesure::cpu_ms();
        f->Timer1Timer();
        f->Timer1->stop();
        const double milieu = mesure::cpu_ms();
        QCoreApplication::processEvents();
        const double fin = mesure::cpu_ms();
        peintures.push_back(fin - milieu);
        return fin - debut;
    }
};

// A window on a high-density screen (QT_SCALE_FACTOR=2) says so in the figure's name.
void fin(const char* nom, const std::vector<double>& ms, const Banc& b) {
    const qreal r = b.f->Image1->Picture().devicePixelRatio();
    const std::string a = r == 1 ? "" : "_at_" + QByteArray::number(r).toStdString() + "x";
    std::printf("%s%s: median %.3f ms CPU (%zu ticks; repaint %.3f ms), peak %.0f MB, %d records\n", nom,
                a.c_str(), mesure::mediane(ms), ms.size(), mesure::mediane(b.peintures),
                mesure::pic_memoire_mo(), b.f->nb_enreg);
}

int tick_full(int n) {
    Banc b;
    QRandomGenerator gen(3);
    ecrit_fichier(b.cible, n + 3, false, gen);
    b.demarre();
    b.peintures.clear();
    std::vector<double> ms;
    for (int i = 0; i < (n > 100000 ? 8 : 30); ++i) {
        QRandomGenerator g(3 + i);
        ecrit_fichier(b.cible, n + 3, i % 2 == 0, g); // another size at every step
        ms.push_back(b.tic());
    }
    fin(qPrintable(QStringLiteral("tick_full_reload_%1").arg(n)), ms, b);
    return 0;
}

int append(int lignes) {
    Banc b;
    QRandomGenerator gen(5);
    int k = ecrit_fichier(b.cible, lignes, false, gen);
    b.demarre();
    b.peintures.clear();
    std::vector<double> ms;
    for (int i = 0; i < (lignes > 100000 ? 100 : 40); ++i) {
        ajoute(b.cible, course(false, gen).ajout(k++));
        ms.push_back(b.tic());
    }
    fin(qPrintable(QStringLiteral("tick_append_1_record_to_%1_lines").arg(lignes)), ms, b);
    return 0;
}

// From the window's creation to its first complete picture of a file of N records.
int start(int n) {
    Banc b;
    QRandomGenerator gen(3);
    ecrit_fichier(b.cible, n + 3, false, gen);
    QElapsedTimer mur;
    mur.start();
    const double debut = mesure::cpu_ms();
    b.demarre(false);
    std::printf("first_picture_%d: %.0f ms wall, %.0f ms CPU, peak %.0f MB, %d records\n", n,
                double(mur.elapsed()), mesure::cpu_ms() - debut, mesure::pic_memoire_mo(), b.f->nb_enreg);
    return 0;
}

// The print path runs on the window's thread, all of it but the question.
int imprime(int n) {
    Banc b;
    QRandomGenerator gen(3);
    ecrit_fichier(b.cible, n + 3, false, gen);
    b.demarre(true, true);
    QElapsedTimer mur;
    mur.start();
    const double debut = mesure::cpu_ms();
    b.f->SpeedButton5->click();
    std::printf("print_%d: %.0f ms wall, %.0f ms CPU, peak %.0f MB, %d records\n", n, double(mur.elapsed()),
                mesure::cpu_ms() - debut, mesure::pic_memoire_mo(), b.f->nb_enreg);
    return 0;
}

int idle() {
    Banc b;
    QRandomGenerator gen(9);
    ecrit_fichier(b.cible, 5003, false, gen);
    b.demarre();
    b.peintures.clear();
    std::vector<double> ms;
    for (int i = 0; i < 400; ++i)
        ms.push_back(b.tic());
    fin("tick_idle_5000_records", ms, b);
    return 0;
}

// A logger for the program itself to follow: the file filled up to `enregistrements`, then
// one record appended every `intervalle_ms` for `secondes`, the run time going as fast.
int ecrivain(const QString& chemin, int enregistrements, int secondes, int intervalle_ms) {
    QRandomGenerator gen(11);
    const QString a_part = chemin + QStringLiteral(".part");
    const double pas = intervalle_ms / 1000.0;
    int k = ecrit_fichier(a_part, enregistrements + 3, false, gen, pas);
    if (!QFile::rename(a_part, chemin)) qFatal("cannot rename %s", qPrintable(a_part));
    for (int i = 0; i < secondes * 1000 / intervalle_ms; ++i) {
        QThread::msleep(static_cast<unsigned long>(intervalle_ms));
        ajoute(chemin, course(false, gen, pas).ajout(k++));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string cas = argc > 1 ? argv[1] : "";
    const int n = argc > 2 ? std::atoi(argv[cas == "writer" ? 3 : 2]) : 5000;
    if (cas == "tick_full") return tick_full(n);
    if (cas == "append") return append(n);
    if (cas == "idle") return idle();
    if (cas == "start") return start(n);
    if (cas == "print") return imprime(n);
    if (cas == "writer" && argc > 4)
        return ecrivain(QString::fromLocal8Bit(argv[2]), n, std::atoi(argv[4]),
                        argc > 5 ? std::max(1, std::atoi(argv[5])) : 100);
    std::fprintf(stderr, "usage: bench_suivi tick_full N | append LINES | idle | start N | print N | writer FILE "
                         "RECORDS SECONDS [MS]\n");
    return 2;
}
