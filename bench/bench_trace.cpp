#include "util_rez/trace.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A slow warm-up with some noise: the kind of run the program watches.
void remplit(Tableau& tab, int n) {
    for (int i = 1; i <= n; ++i) {
        const double s = 0.1 * i;
        tab(1, i) = s;
        for (int c = 2; c <= 7; ++c) {
            const double palier = 15.0 * c - 10;
            tab(c, i) = palier * (1 - std::exp(-s / (40.0 + 10 * c))) + 3 * std::sin(s / (7.0 + c)) +
                        0.15 * std::sin(i * 0.37 * c);
        }
        tab(8, i) = tab(7, i) - tab(5, i);
        tab(9, i) = tab(7, i) - tab(3, i);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const int n = capacite_tableau;
    auto tab = std::make_unique<Tableau>();
    remplit(*tab, n);
    const Echelles echelles{550, 110, 55, 10};
    std::array<bool, 9> coches{};
    std::array<QColor, 9> couleurs{};
    const QColor palette[8] = {Qt::red,      Qt::darkGreen,  Qt::blue,  Qt::magenta,
                               Qt::darkCyan, Qt::darkYellow, Qt::black, Qt::gray};
    for (int k = 1; k <= 8; ++k) {
        coches[k] = true;
        couleurs[k] = palette[k - 1];
    }

    QImage image(1100, 900, QImage::Format_RGB32);
    std::vector<double> ms;
    for (int run = 0; run < 53; ++run) {
        QElapsedTimer chrono;
        chrono.start();
        trace_ecran(image, echelles, *tab, n, coches, couleurs, QStringLiteral("2"),
                    QStringLiteral("/data/runs/run_0042.txt"), QLatin1Char('.'), QString());
        if (run >= 3) ms.push_back(chrono.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("screen_pass_8x5000: median %.2f ms\n", ms[ms.size() / 2]);
    if (argc > 1) image.save(QString::fromLocal8Bit(argv[1]));
    return 0;
}
