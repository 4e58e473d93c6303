#include "util_rez/target/remplit_tableau.h"

#include <QtTest>
#include <cmath>
#include <memory>

namespace {

struct TableauGarde {
    Tableau t;
};

QStringList fichier(const QStringList& suite,
                    const QString& noms = QStringLiteral("\"Runtime T1 T2 P F L C\"")) {
    return QStringList{QStringLiteral("\"Run 12\""), QStringLiteral("\"Gain 3\""), noms} + suite;
}

QString enreg(double x, double y) {
    return QStringLiteral("\"%1 %2 1 1 1 1 1\"").arg(x).arg(y);
}

} // namespace

class TestRemplitTableau : public QObject {
    Q_OBJECT
    std::unique_ptr<TableauGarde> tg;

  private slots:
    void init() { tg = std::make_unique<TableauGarde>(); }

    void noms() {
        const ResultatParse r = remplit_tableau(fichier({}), tg->t);
        QVERIFY(r.noms_lus);
        const QStringList attendus{"T1", "T2", "P", "F", "L", "C", "C - F", "C - T2"};
        for (int j = 1; j <= 8; ++j)
            QCOMPARE(r.noms[j], attendus[j - 1]);
    }
    void noms_trop_courts_data() {
        QTest::addColumn<QString>("ligne");
        QTest::newRow("quotes only") << "\"\"";
        QTest::newRow("two characters") << "\"T";
        QTest::newRow("one character") << "\"";
    }
    void noms_trop_courts() {
        QFETCH(QString, ligne);
        const ResultatParse r = remplit_tableau(fichier({}, ligne), tg->t);
        QCOMPARE(r.noms[1], QStringLiteral("_extraitUTIL<>"));
        QCOMPARE(r.noms[6], QStringLiteral("_extraitUTIL<>"));
        QCOMPARE(r.noms[8], QStringLiteral("_extraitUTIL<> - _extraitUTIL<>"));
    }
    void pas_de_ligne_de_noms() {
        QVERIFY(!remplit_tableau(fichier({}, QString()), tg->t).noms_lus);
        QVERIFY(!remplit_tableau(fichier({}, QStringLiteral("'\"Runtime T1\"")), tg->t).noms_lus);
        const ResultatParse r = remplit_tableau(fichier({}, QStringLiteral("\"1 2 3\"")), tg->t);
        QVERIFY(r.noms_lus);
        QCOMPARE(r.nb_enreg, 0);
    }

    // Columns 1..9 of the one record read, or an empty list when the line is no record.
    void enregistrement_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QList<double>>("colonnes");
        QTest::newRow("plain") << "\"1 2 3 4 5 6 7\"" << QList<double>{1, 2, 3, 4, 5, 6, 7, 2, 4};
        QTest::newRow("differences") << "\"0 0 1 0 4 0 10\"" << QList<double>{0, 0, 1, 0, 4, 0, 10, 6, 9};
        QTest::newRow("blank runs") << "\"4   2  3\"" << QList<double>{4, 2, 3, 0, 0, 0, 0, 0, -3};
        QTest::newRow("number forms")
            << "\"0,5 1.5e3 12.5% 1,234,5 . 1e400 -2\"" << QList<double>{0.5, 1500, 0, 0, 0, 0, -2, -2, -2};
        QTest::newRow("extra fields ignored")
            << "\"1 2 3 4 5 6 7 8 9\"" << QList<double>{1, 2, 3, 4, 5, 6, 7, 2, 4};
        // Read from the bytes, a line splits where its text does: the last character is no
        // field's, though an astral one leaves half of itself in the text.
        QTest::newRow("accent in a field")
            << "\"1 2\u00e9 3 4 5 6 7\"" << QList<double>{1, 0, 3, 4, 5, 6, 7, 2, 4};
        QTest::newRow("accent last") << "\"1 2 3 4 5 6 7\u00e9" << QList<double>{1, 2, 3, 4, 5, 6, 7, 2, 4};
        QTest::newRow("astral last") << "\"1 2 3 4 5 6 7\U0001F600"
                                     << QList<double>{1, 2, 3, 4, 5, 6, 0, -5, -3};
        QTest::newRow("quote and digit only") << "\"3" << QList<double>{0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("starts with 5") << "\"5 1 2\"" << QList<double>{};
        QTest::newRow("starts with a sign") << "\"-1 2\"" << QList<double>{};
        QTest::newRow("blank after quote") << "\" 1 2\"" << QList<double>{};
        QTest::newRow("no quote") << "1 2 3" << QList<double>{};
        QTest::newRow("apostrophe") << "'\"1 2 3\"" << QList<double>{};
    }
    void enregistrement() {
        QFETCH(QString, ligne);
        QFETCH(QList<double>, colonnes);
        const ResultatParse r = remplit_tableau(fichier({ligne}), tg->t);
        QCOMPARE(r.nb_enreg, colonnes.isEmpty() ? 0 : 1);
        for (int c = 1; c <= colonnes.size(); ++c)
            QCOMPARE(tg->t(c, 1), colonnes[c - 1]);
    }

    void lignes_passees_sans_trou() {
        const ResultatParse r =
            remplit_tableau(fichier({enreg(1, 1), "'note", "", "\"x\"", enreg(2, 2)}), tg->t);
        QCOMPARE(r.nb_enreg, 2);
        QCOMPARE(tg->t(1, 2), 2.0);
    }

    void arret_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<bool>("arrete");
        QTest::newRow("quoted") << "\"Stopped\"" << true;
        QTest::newRow("inside a line") << "\"Run Stopped at 10:02\"" << true;
        QTest::newRow("after other S") << "\"Sensor SStopped\"" << true;
        QTest::newRow("cut short") << "\"Stoppe S\"" << false;
        QTest::newRow("unquoted") << "Stopped" << false;
        QTest::newRow("lower case") << "\"stopped\"" << false;
    }
    void arret() {
        QFETCH(QString, ligne);
        QFETCH(bool, arrete);
        const ResultatParse r = remplit_tableau(fichier({enreg(1, 1), ligne, enreg(2, 2)}), tg->t);
        QCOMPARE(r.arrete, arrete);
        QCOMPARE(r.nb_enreg, arrete ? 1 : 2);
    }
    void arret_a_la_place_des_noms() {
        const ResultatParse r = remplit_tableau(fichier({enreg(1, 1)}, QStringLiteral("\"Stopped\"")), tg->t);
        QVERIFY(r.arrete);
        QVERIFY(!r.noms_lus);
        QCOMPARE(r.nb_enreg, 0);
    }

    void maxima_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<double>("max_x");
        QTest::addColumn<double>("max_y");
        QTest::newRow("no records") << QStringList{} << -10.0 << -10.0;
        QTest::newRow("largest") << QStringList{enreg(3, 40), enreg(2, 95)} << 3.0 << 95.0;
        QTest::newRow("negative y") << QStringList{"\"0 -20 -3 -30 -40 -50 -60\""} << 0.0 << -3.0;
        QTest::newRow("below -10") << QStringList{"\"0 -20 -13 -30 -40 -50 -60\""} << 0.0 << -10.0;
        QTest::newRow("differences left out") << QStringList{"\"1 0 -100 0 -100 0 100\""} << 1.0 << 100.0;
    }
    void maxima() {
        QFETCH(QStringList, lignes);
        QFETCH(double, max_x);
        QFETCH(double, max_y);
        const ResultatParse r = remplit_tableau(fichier(lignes), tg->t);
        QCOMPARE(static_cast<double>(r.max_x), max_x);
        QCOMPARE(static_cast<double>(r.max_y), max_y);
    }
    void maxima_en_precision_etendue() {
        const ResultatParse r = remplit_tableau(fichier({"\"0.1 0.3\""}), tg->t);
        QVERIFY(r.max_x == 0.1L && r.max_y == 0.3L);
        QCOMPARE(tg->t(1, 1), 0.1);
    }

    // A run time written without its leading zeros is still no record, but the lines are
    // counted; a sign, a blank or a letter after the quote is not counted among them.
    void temps_de_5_a_9_comptes() {
        const ResultatParse r =
            remplit_tableau(fichier({enreg(1, 2), "\"5.00 3 1 1 1 1 1\"", "\"9\"", "\"-5 1\"", "\" 5 1\"",
                                     "5.00 3", enreg(2, 4), "\"Stopped\"", "\"7 1\""}),
                            tg->t);
        QCOMPARE(r.nb_enreg, 2);
        QCOMPARE(r.enreg_ecartes, 2);
        QCOMPARE(static_cast<double>(r.max_x), 2.0);
    }

    // The table grows with the run: every record is stored and counts in the maxima; a later
    // parse of fewer lines leaves exactly its own rows.
    void croissance() {
        QStringList suite;
        for (int k = 1; k <= 5000; ++k)
            suite << enreg(k % 4, k % 50);
        suite << enreg(4, 500) << enreg(4.5, 600) << enreg(4.9, 700) << "\"Stopped\"" << enreg(4.9, 800);
        const ResultatParse r = remplit_tableau(fichier(suite), tg->t);
        QCOMPARE(r.nb_enreg, 5003);
        QCOMPARE(tg->t.taille(), 5003);
        QVERIFY(r.arrete);
        QCOMPARE(static_cast<double>(r.max_x), 4.9);
        QCOMPARE(static_cast<double>(r.max_y), 700.0);
        QCOMPARE(tg->t(2, 5002), 600.0);
        QCOMPARE(tg->t(2, 5003), 700.0);
        QCOMPARE(remplit_tableau(fichier({enreg(1, 2)}), tg->t).nb_enreg, 1);
        QCOMPARE(tg->t.taille(), 1);
    }
};

QTEST_APPLESS_MAIN(TestRemplitTableau)
#include "test_remplit_tableau.moc"
