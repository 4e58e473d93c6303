#include "cible_essai.h"
#include "util_rez/target/lecture_enreg.h"
#include "util_rez/target/recherche_temps.h"
#include "util_rez/target/remplit_tableau.h"

#include <QtTest>

class TestLectureEnreg : public QObject {
    Q_OBJECT
  private slots:
    // Values as the record's line writes them; the differences with as many decimals as their terms.
    void texte_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("reference");
        QTest::addColumn<QList<int>>("courbes");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("checked only")
            << 1 << 0 << QList<int>{1, 5, 7, 8} << "t: 00001.50\nA: 12.3\nE: 7\nF - D: 2.375\nF - B: 4.50";
        QTest::newRow("comma in a term") << 2 << 0 << QList<int>{7} << "t: 00002.00\nF - D: 3,5";
        QTest::newRow("to a reference")
            << 2 << 1 << QList<int>{1, 7}
            << "t: 00002.00   \u0394 0.50\nA: 13.30   \u0394 1.00\nF - D: 3,5   \u0394 1,125";
    }
    void texte() {
        QFETCH(int, k);
        QFETCH(int, reference);
        QFETCH(QList<int>, courbes);
        QFETCH(QString, attendu);
        const QStringList lignes = aide_test::CibleEssai{.donnees = {"00001.50 12.3 4 5.25 6.125 7 8.50",
                                                                     "00002.00 13.30 4 5 6,0 7 9.5"}}
                                       .lignes();
        auto t = std::make_unique<Tableau>();
        const ResultatParse r = remplit_tableau(lignes, *t);
        const auto lu = [&](int i) { return enreg_lu(lignes[int((*t)(0, i))], *t, i); };
        std::array<bool, 9> coches{};
        for (int c : courbes)
            coches[c] = true;
        std::array<QString, 9> noms = r.noms;
        noms[0] = QStringLiteral("t");
        const EnregLu ref = lu(std::max(reference, 1));
        QCOMPARE(texte_lecture(lecture_enreg(lu(k), reference ? &ref : nullptr, coches, noms)), attendu);
    }
    // Ordered run times are searched by halves, and give what the record-by-record search gives.
    void plus_proche_data() {
        QTest::addColumn<std::vector<double>>("temps");
        QTest::addColumn<double>("cherche");
        QTest::addColumn<int>("attendu");
        const std::vector<double> suite{0, 1, 2, 3};
        QTest::newRow("between") << suite << 1.4 << 2;
        QTest::newRow("tie: the earlier") << suite << 1.5 << 2;
        QTest::newRow("before the first") << suite << -5.0 << 1;
        QTest::newRow("after the last") << suite << 99.0 << 4;
        QTest::newRow("equal run times") << std::vector<double>{0, 1, 1, 2} << 1.2 << 2;
        QTest::newRow("going back") << std::vector<double>{3, 0, 2, 1} << 1.9 << 3;
        QTest::newRow("none") << std::vector<double>{} << 1.0 << 0;
    }
    void plus_proche() {
        QFETCH(std::vector<double>, temps);
        QFETCH(double, cherche);
        QFETCH(int, attendu);
        const bool ordonnes = temps_ordonnes(temps);
        QCOMPARE(enreg_le_plus_proche(temps, cherche, ordonnes), attendu);
        QCOMPARE(enreg_le_plus_proche(temps, cherche, false), attendu);
        QCOMPARE(premier_enreg_depuis(temps, 1.5, ordonnes),
                 ordonnes ? int(std::ranges::count_if(temps, [](double x) { return x < 1.5; })) + 1 : 1);
    }
};

QTEST_GUILESS_MAIN(TestLectureEnreg)
#include "test_lecture_enreg.moc"
