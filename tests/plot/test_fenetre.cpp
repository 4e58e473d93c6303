#include "util_rez/plot/fenetre.h"
#include "util_rez/plot/trace.h"

#include <QImage>
#include <QtTest>
#include <memory>

namespace {

// A run sampled every half second, drawn in green only, whose run times are shifted by `decalage`.
QImage trace(const Echelles& e, bool fenetre, double decalage) {
    auto t = std::make_unique<Tableau>();
    const int n = 61;
    for (int k = 1; k <= n; ++k)
        t->ajoute({0, (k - 1) * 0.5 - decalage, 0, 0, 50 + 40 * std::sin(k * 0.3)});
    DonneesTrace d;
    d.echelles = e;
    d.tableau = t.get();
    d.nb_enreg = n;
    d.coches[3] = true;
    d.couleurs[3] = Qt::green;
    d.texte_epaisseur = QStringLiteral("2");
    d.fenetre = fenetre;
    QImage image(616, 469, QImage::Format_RGB32);
    trace_ecran(image, d);
    return image;
}

bool vert_a_gauche_de(const QImage& image, int colonne) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x <= colonne; ++x)
            if (image.pixel(x, y) == QColor(Qt::green).rgb()) return true;
    return false;
}

} // namespace

class TestFenetre : public QObject {
    Q_OBJECT
  private slots:
    // The left edge is a whole step down from the window's start, never before 0; the span reaches
    // past the latest run time in whole steps.
    void echelles_data() {
        QTest::addColumn<double>("secondes");
        QTest::addColumn<double>("dernier");
        QTest::addColumn<QList<double>>("gauche_etendue_pas");
        QTest::newRow("minute") << 60.0 << 1003.7 << QList<double>{940, 70, 10};
        QTest::newRow("on a step") << 60.0 << 1000.0 << QList<double>{940, 70, 10};
        QTest::newRow("odd window") << 45.0 << 501.0 << QList<double>{455, 50, 5};
        QTest::newRow("run shorter than it") << 60.0 << 30.0 << QList<double>{0, 70, 10};
        QTest::newRow("no records") << 60.0 << -10.0 << QList<double>{0, 70, 10};
        QTest::newRow("no length") << 0.0 << 100.0 << QList<double>{0, 0, 0};
    }
    void echelles() {
        QFETCH(double, secondes);
        QFETCH(double, dernier);
        const Echelles e = echelles_fenetre({5, 100, 5, 10}, secondes, dernier);
        QTEST((QList<double>{double(e.min_x), double(e.etendue_x), double(e.pas_x)}), "gauche_etendue_pas");
        QCOMPARE(double(e.etendue_y), 100.0);
    }
    // The window's pass is the plain pass of the run moved to 0, but for the x labels and for
    // what lies left of the y axis, which it does not draw.
    void passe() {
        const Echelles e = echelles_fenetre({5, 100, 5, 10}, 10, 30);
        QCOMPARE(double(e.min_x), 20.0);
        const QImage fenetre = trace(e, true, 0);
        Echelles depuis_0 = e;
        depuis_0.min_x = 0;
        const QImage simple = trace(depuis_0, false, 20);
        const GeometrieTrace geo = geometrie_ecran(616, 469);
        const QRect courbes(QPoint(geo.origine_x + 1, 0), QPoint(615, geo.origine_y));
        QCOMPARE(fenetre.copy(courbes), simple.copy(courbes));
        QVERIFY(vert_a_gauche_de(simple, geo.origine_x));
        QVERIFY(!vert_a_gauche_de(fenetre, geo.origine_x));
        const QRect etiquettes_x(QPoint(0, geo.origine_y + 1), QPoint(615, 468));
        QVERIFY(fenetre.copy(etiquettes_x) != simple.copy(etiquettes_x));
    }
};

QTEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
