#include "mesure.h"
#include "util_rez/plot/reduction.h"
#include "util_rez/plot/trace.h"

#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <cmath>
#include <memory>
#include <string>

namespace {

constexpr int nb_enreg = 5000;

// A slow warm-up with a small ripple: the kind of run the program usually watches; with
// `bruit`, read by a noisy sensor: every point jumps a few units, tens of pixels.
void remplit(Tableau& tab, int n, bool bruit) {
    tab.vide();
    QRandomGenerator gen(7);
    for (int i = 1; i <= n; ++i) {
        const double s = 0.1 * i;
        std::array<double, nb_colonnes_lues + 1> v{0, s};
        for (int c = 2; c <= 7; ++c) {
            const double palier = 15.0 * c - 10;
            v[c] = palier * (1 - std::exp(-s / (40.0 + 10 * c))) + 3 * std::sin(s / (7.0 + c)) +
                   0.15 * std::sin(i * 0.37 * c);
        }
        if (bruit)
            for (int c = 2; c <= 7; ++c)
                v[c] += gen.bounded(6.0) - 3;
        tab.ajoute(v);
    }
}

void mesure_passe(const char* nom, const Tableau& tab, QImage& image, const ResumeBlocs* resume = nullptr) {
    DonneesTrace d;
    d.echelles = Echelles{550, 110, 55, 10};
    if (resume) {
        const long double x = std::ceil(tab(1, tab.taille()) * 1.1 / 5) * 5;
        d.echelles = Echelles{x, 110, x / 10, 10};
    }
    d.tableau = &tab;
    d.nb_enreg = tab.taille();
    d.resume = resume;
    const QColor palette[8] = {QColor(0, 0, 255), QColor(128, 0, 128), QColor(0, 128, 0),
                               QColor(0, 0, 128), QColor(0, 0, 0),     QColor(128, 0, 0),
                               QColor(255, 0, 0), QColor(0, 128, 128)};
    for (int k = 1; k <= 8; ++k) {
        d.coches[k] = true;
        d.couleurs[k] = palette[k - 1];
    }
    d.texte_epaisseur = QStringLiteral("2");
    d.chemin_cible = QStringLiteral("/data/runs/run_0042.txt");
    std::vector<double> ms;
    for (int run = 0; run < 43; ++run) {
        const double debut = mesure::cpu_ms();
        trace_ecran(image, d);
        if (run >= 3) ms.push_back(mesure::cpu_ms() - debut);
    }
    mesure::affiche(nom, ms);
}

} // namespace

// With a folder argument, leaves the two pictures there to look at.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    auto tab = std::make_unique<Tableau>();
    // The same picture for screens of 1, 2 and 1.5 device pixels per pixel.
    for (const qreal r : {1.0, 2.0, 1.5}) {
        QImage image = image_ecran(QSize(1100, 900), r);
        const std::string a = r == 1 ? "" : "_at_" + QByteArray::number(r).toStdString() + "x";
        const QString fichier =
            argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/pass_%1%2.png") : QString();
        remplit(*tab, nb_enreg, false);
        mesure_passe(("screen_pass_8x5000_smooth" + a).c_str(), *tab, image);
        if (argc > 1) image.save(fichier.arg(QStringLiteral("smooth"), QString::fromStdString(a)));
        remplit(*tab, nb_enreg, true);
        mesure_passe(("screen_pass_8x5000_noisy" + a).c_str(), *tab, image);
        if (argc > 1) image.save(fichier.arg(QStringLiteral("noisy"), QString::fromStdString(a)));
    }
    // A whole run drawn again from its block summary, as a change of scale does.
    QImage image = image_ecran(QSize(1100, 900), 1.0);
    remplit(*tab, 3000000, true);
    ResumeBlocs resume;
    resume.suit(*tab, tab->taille());
    mesure_passe("screen_pass_8x3000000_noisy_reduced", *tab, image, &resume);
    return 0;
}
