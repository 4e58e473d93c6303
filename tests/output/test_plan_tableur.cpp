#include "cible_essai.h"
#include "util_rez/output/plan_tableur.h"

#include <QtTest>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(ValeurCellule)

namespace {

using Etat = QMap<QPair<int, int>, QString>;

// The texts the sheet holds once the plan's cells are written, each write over the one before.
Etat etat(const PlanTableur& p) {
    Etat e;
    for (const CelluleTableur& c : p.cellules)
        e[{c.ligne, c.colonne}] = c.texte;
    return e;
}

QStringList colonne(const Etat& e, int c) {
    QStringList l;
    for (int r = 1; e.contains({r, c}); ++r)
        l << e[{r, c}];
    return l;
}

DonneesTableur donnees(const QStringList& lignes, const QStringList& commentaire = {}) {
    DonneesTableur d;
    d.lignes = lignes;
    d.commentaire = commentaire;
    for (int k = 1; k <= 8; ++k)
        d.noms[k] = QStringLiteral("N%1").arg(k);
    return d;
}

const QStringList fichier =
    aide_test::CibleEssai{.noms = "Runtime A B",
                          .donnees = {"0.5 1 2"},
                          .arrete = true,
                          .resume = QStringList{"Count Summary", "n = 1", "Stopped again", "last line"}}
        .lignes();

} // namespace

class TestPlanTableur : public QObject {
    Q_OBJECT
  private slots:
    void en_tetes_et_ligne_6() {
        const Etat e = etat(planifie_tableur(donnees(fichier)));
        QCOMPARE(e.value({1, 1}), QStringLiteral("Bench 3"));
        QCOMPARE(e.value({2, 1}), QStringLiteral("Operator"));
        QCOMPARE(e.value({6, 1}), QStringLiteral("Runtime"));
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(e.value({6, k + 1}), QStringLiteral("N%1").arg(k));
    }
    void colonne_K_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QStringList>("commentaire");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("two Stopped lines, then the comment")
            << fichier << QStringList{"first", " second "}
            << QStringList{"Stopped",       "Count Summary", "n = 1", "Stopped again", "last line",
                           "Stopped again", "last line",     "first", " second "};
        QTest::newRow("no Stopped line: only the comment")
            << QStringList{"\"h1\"", "\"h2\"", "\"Runtime\"", "\"0 1\""} << QStringList{"c"}
            << QStringList{"c"};
        QTest::newRow("Stopped on the last line")
            << QStringList{"\"h1\"", "\"h2\"", "\"Runtime\"", "\"0 1\"", "\"Stopped\""} << QStringList{}
            << QStringList{"Stopped"};
        QTest::newRow("Stopped in the first three lines is a header")
            << QStringList{"\"Stopped\"", "\"h2\"", "\"Stopped\"", "\"0 1\""} << QStringList{}
            << QStringList{};
    }
    void colonne_K() {
        QFETCH(QStringList, lignes);
        QFETCH(QStringList, commentaire);
        QFETCH(QStringList, attendu);
        QCOMPARE(colonne(etat(planifie_tableur(donnees(lignes, commentaire))), 11), attendu);
    }
    // Columns 8 and 9 are column 7 less 5 and less 3, rounded to the decimals the line gave them.
    void enregistrements_data() {
        QTest::addColumn<QList<double>>("rang"); // columns 1, 3, 5 and 7
        QTest::addColumn<QList<ValeurCellule>>("attendu");
        const auto n = [](double v) { return ValeurCellule(v); };
        QTest::newRow("float noise")
            << QList<double>{0.5, 18.05, 4.1, 18.18} << QList<ValeurCellule>{n(0.5), n(18.05), n(4.1), n(18.18), n(14.08), n(0.13)};
        QTest::newRow("the larger decimals") << QList<double>{1, 1.125, 0.1, 2.5}
                                             << QList<ValeurCellule>{n(1), n(1.125), n(0.1), n(2.5), n(2.4), n(1.375)};
        QTest::newRow("small values") << QList<double>{-1.5e-7, 0.1, 1e-7, 0.3}
                                      << QList<ValeurCellule>{n(-1.5e-7), n(0.1), n(1e-7), n(0.3), n(0.2999999), n(0.2)};
        QTest::newRow("not finite: texts")
            << QList<double>{INFINITY, 1, 2, NAN}
            << QList<ValeurCellule>{QStringLiteral("INF"), n(1), n(2), QStringLiteral("NAN"), QStringLiteral("NAN"),
                                    QStringLiteral("NAN")};
    }
    void enregistrements() {
        QFETCH(QList<double>, rang);
        QFETCH(QList<ValeurCellule>, attendu);
        auto t = std::make_unique<Tableau>();
        t->ajoute({0, rang[0], 0, rang[1], 0, rang[2], 0, rang[3]});
        t->ajoute({0, 1, 2, 3, 4, 5, 6, 7});
        for (int r = 3; r <= 6000; ++r) // every record of a long run, not the first 5000 only
            t->ajoute({0, double(r)});
        DonneesTableur d = donnees(fichier);
        d.tableau = t.get();
        d.nb_enreg = 6000;
        const PlanTableur p = planifie_tableur(d);
        t->vide(); // the window's table may be loaded anew while the rows are written
        QCOMPARE(etat(p).value({1, 9}), QStringLiteral("6000"));
        QCOMPARE(p.nb_rangs(), 6000);
        const QList<QList<ValeurCellule>> debut = p.rangs(0, 2);
        const QList<ValeurCellule>& r = debut[0];
        QCOMPARE(r.size(), 9);
        QCOMPARE((QList<ValeurCellule>{r[0], r[2], r[4], r[6], r[7], r[8]}), attendu);
        QCOMPARE(debut[1][8], ValeurCellule(4.0));                 // 7 - 3
        const QList<QList<ValeurCellule>> fin = p.rangs(5998, 10); // a slice cut at the last row
        QCOMPARE(fin.size(), 2);
        QCOMPARE(fin[1][0], ValeurCellule(6000.0));
    }
    void sans_enregistrement() {
        auto t = std::make_unique<Tableau>();
        DonneesTableur d = donnees({"\"only one line\""});
        d.tableau = t.get();
        const PlanTableur p = planifie_tableur(d);
        const Etat e = etat(p);
        QCOMPARE(p.nb_rangs(), 0);
        QVERIFY(!e.contains({1, 9})); // the record number keeps what the workbook holds
        QCOMPARE(e.value({1, 1}), QStringLiteral("only one line"));
        QCOMPARE(e.value({2, 1}), QString());
        QCOMPARE(e.value({6, 1}), QStringLiteral("Runtime"));
    }
};

QTEST_APPLESS_MAIN(TestPlanTableur)
#include "test_plan_tableur.moc"
