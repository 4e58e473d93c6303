#include "cible_essai.h"
#include "util_rez/output/table_texte.h"

#include <QtTest>

class TestTableTexte : public QObject {
    Q_OBJECT
  private slots:
    void sections_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QStringList>("commentaire");
        QTest::addColumn<bool>("virgule");
        QTest::addColumn<QStringList>("table");
        const QStringList exemple = aide_test::CibleEssai{.operateur = "Operator A",
                                                          .noms = "Runtime T1 T2",
                                                          .donnees = {"0.5 20.1 21.3", "0.6 20.2 21.4"}}
                                        .lignes();
        QTest::newRow("comma mode") << exemple << QStringList{"warm start"} << true
                                    << QStringList{"Bench 3",
                                                   "Operator A",
                                                   "warm start",
                                                   "",
                                                   "",
                                                   "Runtime\tT1\tT2\t\t\t\t",
                                                   "0,5\t20,1\t21,3\t\t\t\t",
                                                   "0,6\t20,2\t21,4\t\t\t\t"};
        QTest::newRow("point mode, empty comment") << exemple << QStringList{} << false
                                                   << QStringList{"Bench 3",
                                                                  "Operator A",
                                                                  "",
                                                                  "",
                                                                  "Runtime\tT1\tT2\t\t\t\t",
                                                                  "0.5\t20.1\t21.3\t\t\t\t",
                                                                  "0.6\t20.2\t21.4\t\t\t\t"};
        QTest::newRow("no Runtime line, Stopped is a header line")
            << QStringList{"\"h\"", "\"0.5  1,5 2 3 4 5 6 7 8\"", "\"Stopped\"", "\"1.0 9\""}
            << QStringList{"c1", "c2"} << false
            << QStringList{"h", "Stopped", "1.0 9", "c1", "c2", "", "", "0.5\t1,5\t2\t3\t4\t5\t6"};
        QTest::newRow("Runtime on the last line only is no heading")
            << QStringList{"\"0.1 2\"", "\"Runtime A\""} << QStringList{} << true
            << QStringList{"", "", "0,1\t2\t\t\t\t\t"};
        // Read from the bytes, a line's last character is no field's, whatever its length.
        QTest::newRow("characters past ASCII")
            << QStringList{"\u00e9h\u00e9", "\"0.5 \u00e9 2\u00e9", "\"0.7 1 2\U0001F600", "\u00e90.1 2\""}
            << QStringList{"\u0109"} << true
            << QStringList{"h",
                           "\u0109",
                           "",
                           "",
                           "0,5\t\u00e9\t2\t\t\t\t",
                           QStringLiteral("0,7\t1\t2") + QChar(0xD83D) + "\t\t\t\t",
                           "0,1\t2\t\t\t\t\t"};
        QTest::newRow("first Runtime line wins")
            << QStringList{"\"Runtime A\"", "\"x Runtime B\"", "\"end\""} << QStringList{} << false
            << QStringList{"end", "", "", "Runtime\tA\t\t\t\t\t"};
    }
    void sections() {
        QFETCH(QStringList, lignes);
        QFETCH(QStringList, commentaire);
        QFETCH(bool, virgule);
        QFETCH(QStringList, table);
        QCOMPARE(octets_table_texte(lignes, commentaire, virgule), encode_lignes(table, Codage::Utf8));
    }
};

QTEST_GUILESS_MAIN(TestTableTexte)
#include "test_table_texte.moc"
