#include "util_rez/target/lecture_cible.h"
#include "util_rez/target/plan_cible.h"

#include "cible_essai.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

using aide_test::CibleEssai;

class TestPlanCible : public QObject {
    Q_OBJECT
  private slots:
    // A long file is read in two halves side by side: wherever the second begins, the table
    // and the parse are those of one reading.
    void deux_moities_comme_une_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("plain run") << CibleEssai{.enregistrements = 9}.octets();
        QTest::newRow("stopped, LF, BOM")
            << CibleEssai{.enregistrements = 6, .arrete = true, .fin = "\n", .bom = true}.octets();
        QTest::newRow("comment block, Latin-1")
            << CibleEssai{.noms = "T \u00e9 b", .enregistrements = 5, .marque = "Comment", .latin1 = true}
                   .octets();
        QTest::newRow("unfinished last line, CR") << CibleEssai{.donnees = {"00009.0 1\u00e9"},
                                                                .enregistrements = 4,
                                                                .inachevee = "4 9",
                                                                .fin = "\r"}
                                                         .octets();
        QTest::newRow("UTF-8 names, Latin-1 after Stopped: all Latin-1")
            << CibleEssai{.noms = "T \u00e9 b", .enregistrements = 3, .arrete = true}.octets() + "\"r\xe9sum\xe9\"\r\n";
        QTest::newRow("late run times, stray lines")
            << CibleEssai{.donnees = {"5.00 1 2", "'x", "", "1 2 3 4 5 6 7"}, .enregistrements = 3}.octets() +
                   "\"Run Stopped\"\r\n\"00009.0 9\"\r\n";
    }
    void deux_moities_comme_une() {
        QFETCH(QByteArray, octets);
        QTemporaryDir dir;
        QFile f(dir.filePath("run.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size());
        f.close();
        const PlanCible une = charge_plan_en_deux(f.fileName(), "Comment", std::nullopt);
        LectureCible fenetre; // the window's load
        Tableau t;
        fenetre.charge(f.fileName(), octets, "Comment", t);
        QVERIFY(fenetre.parse().noms == une.parse.noms && fenetre.parse().nb_enreg == une.parse.nb_enreg);
        for (qsizetype milieu = 0; milieu <= octets.size(); ++milieu) {
            const PlanCible deux = charge_plan_en_deux(f.fileName(), "Comment", milieu);
            const ResultatParse &a = une.parse, &b = deux.parse;
            QCOMPARE(b.nb_enreg, a.nb_enreg);
            QCOMPARE(deux.tableau->taille(), a.nb_enreg);
            QVERIFY(b.max_x == a.max_x && b.max_y == a.max_y);
            QVERIFY(b.arrete == a.arrete && b.noms == a.noms && b.enreg_ecartes == a.enreg_ecartes);
            for (int c = 0; c <= nb_colonnes_lues; ++c)
                QVERIFY2(
                    std::memcmp(une.tableau->colonne(c) + 1, deux.tableau->colonne(c) + 1,
                                sizeof(double) * size_t(a.nb_enreg)) == 0,
                    qPrintable(QStringLiteral("column %1, second half from byte %2").arg(c).arg(milieu)));
        }
    }
};

QTEST_MAIN(TestPlanCible)
#include "test_plan_cible.moc"
