#include "cible_essai.h"
#include "util_rez/output/plan_tableur.h"

#include <QtTest>
#include <memory>

namespace {

using Etat = QMap<QPair<int, int>, QString>;

// What the sheet holds once the plan is written, each write over the one before.
Etat etat(const PlanTableur& p) {
    Etat e;
    for (const CelluleTableur& c : p.cellules)
        e[{c.ligne, c.colonne}] = c.texte;
    for (qsizetype r = 0; r < p.bloc.size(); ++r)
        for (qsizetype c = 0; c < p.bloc[r].size(); ++c)
            e[{PlanTableur::ligne_bloc + int(r), 1 + int(c)}] = p.bloc[r][c];
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
    void enregistrements_data() {
        QTest::addColumn<bool>("virgule");
        QTest::addColumn<QString>("x");
        QTest::newRow("decimal point") << false << "0.5";
        QTest::newRow("decimal comma") << true << "0,5";
    }
    void enregistrements() {
        QFETCH(bool, virgule);
        QFETCH(QString, x);
        auto t = std::make_unique<Tableau>();
        t->ajoute({0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5});
        t->ajoute({0, -1.5e-7, -3e-7, -4.5e-7, -6e-7, -7.5e-7, -9e-7, -1.05e-6});
        for (int r = 3; r <= 6000; ++r) // every record of a long run, not the first 5000 only
            t->ajoute({0, double(r)});
        DonneesTableur d = donnees(fichier);
        d.tableau = t.get();
        d.nb_enreg = 6000;
        d.virgule = virgule;
        const PlanTableur p = planifie_tableur(d);
        const Etat e = etat(p);
        QCOMPARE(p.bloc.size(), 6000);
        QCOMPARE(p.bloc.last().first(), QStringLiteral("6000"));
        QCOMPARE(e.value({1, 9}), QStringLiteral("6000"));
        QCOMPARE(e.value({7, 1}), x);
        QCOMPARE(e.value({7, 9}), QStringLiteral("2")); // column 7 - column 3
        QCOMPARE(e.value({8, 1}), virgule ? QStringLiteral("-1,5E-7") : QStringLiteral("-1.5E-7"));
        QCOMPARE(e.value({8, 2}), QStringLiteral("-3E-7"));
        QVERIFY(!e.contains({7, 10}));
    }
    void sans_enregistrement() {
        auto t = std::make_unique<Tableau>();
        DonneesTableur d = donnees({"\"only one line\""});
        d.tableau = t.get();
        const PlanTableur p = planifie_tableur(d);
        const Etat e = etat(p);
        QVERIFY(p.bloc.isEmpty());
        QVERIFY(!e.contains({1, 9})); // the record number keeps what the workbook holds
        QCOMPARE(e.value({1, 1}), QStringLiteral("only one line"));
        QCOMPARE(e.value({2, 1}), QString());
        QCOMPARE(e.value({6, 1}), QStringLiteral("Runtime"));
    }
};

QTEST_APPLESS_MAIN(TestPlanTableur)
#include "test_plan_tableur.moc"
