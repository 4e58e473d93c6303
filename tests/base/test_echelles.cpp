#include "util_rez/base/echelles.h"
#include "util_rez/base/erreur.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TestEchelles : public QObject {
    Q_OBJECT

  private slots:
    void arrondi_5_data() {
        QTest::addColumn<double>("v");
        QTest::addColumn<double>("attendu");
        const QString cas = QStringLiteral("0=0 5=10 10=10 15=20 20=20 25=30 0.1=5 2=5 12=15 104=105 110=110 "
                                           "-2.5=0 -8=-5 12.5=15 7.5=10");
        for (const QString& c : cas.split(u' '))
            QTest::newRow(qPrintable(c)) << c.section(u'=', 0, 0).toDouble() << c.section(u'=', 1).toDouble();
    }

    void arrondi_5() {
        QFETCH(double, v);
        QFETCH(double, attendu);
        QCOMPARE(static_cast<double>(::arrondi_5(v)), attendu);
    }
    void arrondi_5_immense() {
        const long double r = ::arrondi_5(1e30L);
        QVERIFY(std::isfinite(r) && std::fabs(r / 1e30L - 1) < 1e-15L);
    }

    void pas_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<double>("pas");
        const QString cas = QStringLiteral("5=5 50=10 100=10 105=15 1=5 0=0 224,9=25");
        for (const QString& c : cas.split(u' '))
            QTest::newRow(qPrintable(c)) << c.section(u'=', 0, 0) << c.section(u'=', 1).toDouble();
    }
    void pas() {
        QFETCH(QString, texte);
        QFETCH(double, pas);
        const Echelles e = lit_echelles(texte, QStringLiteral("100"), u',');
        QCOMPARE(static_cast<double>(e.pas_x), pas);
        QCOMPARE(static_cast<double>(e.pas_y), 10.0);
        QCOMPARE(static_cast<double>(lit_echelles(QStringLiteral("1"), texte, u',').pas_y), pas);
    }
    void echelle_illisible() {
        try {
            lit_echelles(QStringLiteral("50"), QStringLiteral("1x0"), u'.');
            QFAIL("no error");
        } catch (const ErreurRez& e) {
            QVERIFY(e.texte().contains(QStringLiteral("'1x0'")));
        }
    }

    // -1: the field keeps its text.
    void autoscale_data() {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<int>("attendu");
        QTest::newRow("43.7") << 43.7 << 50;
        QTest::newRow("95") << 95.0 << 105;
        QTest::newRow("100") << 100.0 << 110;
        QTest::newRow("4") << 4.0 << 5;
        // Below 0.45 the rounding gives 0, a full scale nothing can be drawn on.
        QTest::newRow("0.3 gets the smallest scale") << 0.3 << 5;
        QTest::newRow("0.45 gets the smallest scale") << 0.45 << 5;
        QTest::newRow("tiny gets the smallest scale") << 1e-300 << 5;
        QTest::newRow("0.46 rounds up to 5 itself") << 0.46 << 5;
        QTest::newRow("0") << 0.0 << -1;
        QTest::newRow("no records") << -10.0 << -1;
        QTest::newRow("largest that fits") << 1952257850.0 << 2147483640;
        QTest::newRow("multiple of 5 too big") << 1952257860.0 << 2147483645;
        QTest::newRow("huge") << 1e300 << 2147483645;
    }
    void autoscale() {
        QFETCH(double, maximum);
        QFETCH(int, attendu);
        QCOMPARE(valeur_autoscale(maximum).value_or(-1), attendu);
    }

    void valeurs_rondes() {
        QCOMPARE(valeur_ronde_dessus(0), 1e-9L);
        QCOMPARE(valeur_ronde_dessus(-5), 1e-9L);
        QCOMPARE(valeur_ronde_dessus(1e12L), 10.0L);
        QCOMPARE(static_cast<double>(valeur_ronde_dessus(31)), 40.0);
        QCOMPARE(static_cast<double>(valeur_ronde_dessous(30)), 30.0);
        QCOMPARE(static_cast<double>(valeur_ronde_dessous(1e13L)), 1e12);
        QCOMPARE(valeur_ronde_dessous(5e-9L), 1.0L);
    }

    void zoom_avant_en_serie() {
        const QList<int> attendus{90, 80, 70, 60, 50, 40, 30, 20, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 1};
        int n = 100;
        for (int a : attendus)
            QCOMPARE(n = zoom_plus(n), a);
    }
    void zoom_arriere_en_serie() {
        const QList<int> attendus{2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200};
        int n = 1;
        for (int a : attendus)
            QCOMPARE(n = zoom_moins(n), a);
    }

    void zoom_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("avant");
        QTest::addColumn<int>("arriere");
        QTest::addColumn<int>("paire");
        const int max32 = std::numeric_limits<int32_t>::max();
        QTest::newRow("5") << 5 << 4 << 6 << 5;
        QTest::newRow("100") << 100 << 90 << 200 << 100;
        QTest::newRow("23") << 23 << 20 << 30 << 30;
        QTest::newRow("1") << 1 << 1 << 2 << 2;
        QTest::newRow("11") << 11 << 10 << 20 << 20;
        QTest::newRow("9") << 9 << 8 << 10 << 9;
        QTest::newRow("0") << 0 << 1 << 0 << 2;
        QTest::newRow("negative") << -40 << 1 << 0 << 2;
        QTest::newRow("1.5e9") << 1500000000 << 1000000000 << 2000000000 << 2000000000;
        QTest::newRow("beyond 32 bits") << 2000000000 << 1000000000 << 2000000000 << 2000000000;
        QTest::newRow("largest") << max32 << 1000000000 << max32 << 2000000000;
        QTest::newRow("smallest") << std::numeric_limits<int32_t>::min() << 1 << 0 << 2;
    }
    // The pair is what choosing a new target file runs: zoom in, then zoom out.
    void zoom() {
        QFETCH(int, n);
        QFETCH(int, avant);
        QFETCH(int, arriere);
        QFETCH(int, paire);
        QCOMPARE(zoom_plus(n), avant);
        QCOMPARE(zoom_moins(n), arriere);
        QCOMPARE(zoom_moins(zoom_plus(n)), paire);
    }
};

QTEST_APPLESS_MAIN(TestEchelles)
#include "test_echelles.moc"
