#include "_rez/tform1.h"
#include "cible_essai.h"
#include "mesure.h"
#include "plateforme_muette.h"
#include "util_rez/target/lecture_enreg.h"
#include "util_rez/target/recherche_temps.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cstdio>

// The pointer moving over the plot, each move with the repaint it leaves:
//   - the window on a 5000-record run, from the pointer's event to its repaint; no plot redraw;
//   - a 3 000 000-record run, its readout alone (search and text), the table being beyond the
//     window's today, and the order check that a reload costs once.

namespace {

void fenetre_5000() {
    QTemporaryDir dossier;
    const QString cible = dossier.filePath(QStringLiteral("run.txt"));
    QFile fichier(cible);
    if (!fichier.open(QIODevice::WriteOnly) || fichier.write(mesure::course_5000().octets()) < 0) return;
    fichier.close();
    for (const char* n : {"Lintrace_lng.fr.txt", "Lintrace_lng.en.txt"})
        QFile::copy(QStringLiteral(LINTRACE_BIN_DIR "/") + QLatin1String(n),
                    dossier.filePath(QLatin1String(n)));
    TForm1 f({cible}, dossier.path(), std::make_unique<PlateformeMuette>());
    f.Timer1->stop();
    f.show();
    QCoreApplication::processEvents();
    const qint64 cle = f.Image1->Picture().cacheKey();
    std::vector<double> ms;
    for (int i = 0; i < 2000; ++i) {
        const QPoint p(45 + (i * 37) % (f.Image1->width() - 50), 100 + i % 200);
        const double debut = mesure::cpu_ms();
        QMouseEvent e(QEvent::MouseMove, p, f.Image1->mapToGlobal(p), Qt::NoButton, {}, {});
        QApplication::sendEvent(f.Image1, &e);
        QCoreApplication::processEvents();
        ms.push_back(mesure::cpu_ms() - debut);
    }
    mesure::affiche("pointer move, 5000 records, with its repaint", ms);
    std::printf("plot redrawn by the moves: %s\n", f.Image1->Picture().cacheKey() == cle ? "no" : "YES");
}

void course_3m() {
    const int n = 3000000;
    auto t = std::make_unique<Tableau>();
    t->reserve(n);
    for (int i = 0; i < n; ++i)
        t->ajoute({0, i * 0.01});
    const std::span<const double> temps = temps_enregs(*t, n);
    const double debut = mesure::cpu_ms();
    const bool ordonnes = temps_ordonnes(temps);
    std::printf("order check of 3000000 run times (once per reload): %.3f ms CPU\n",
                mesure::cpu_ms() - debut);
    const QString ligne = QStringLiteral("\"29999.99 20.13771 21.5 1013.25 0.047317 45.0 37\"");
    std::array<bool, 9> coches{false, true, true, true, true, true, true, true, false};
    std::array<QString, 9> noms{"time", "T1", "T2", "P", "F", "L", "C", "C - F", "C - T2"};
    std::vector<double> ms;
    for (int i = 0; i < 2000; ++i) {
        const double d = mesure::cpu_ms();
        const int k = enreg_le_plus_proche(temps, (i * 7919) % n * 0.01 + 0.004, ordonnes);
        const EnregLu e = enreg_lu(ligne, *t, k);
        const QString texte = texte_lecture(lecture_enreg(e, &e, coches, noms));
        ms.push_back(mesure::cpu_ms() - d);
        if (texte.isEmpty()) std::printf("no readout\n");
    }
    mesure::affiche("readout of a pointer move, 3000000 records", ms);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    fenetre_5000();
    course_3m();
    return 0;
}
