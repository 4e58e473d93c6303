#include "util_rez/base/conversions.h"
#include "util_rez/base/erreur.h"
#include "util_rez/base/texte.h"

#include <QtTest>

class TestTexte : public QObject {
    Q_OBJECT
private slots:
    void trimming_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("gauche");
        QTest::addColumn<QString>("droite");
        QTest::addColumn<QString>("deux");
        QTest::newRow("empty") << "" << "" << "" << "";
        QTest::newRow("three blanks keep one on the left") << "   " << " " << "" << "";
        QTest::newRow("inner blanks stay") << "  a b  " << "a b  " << "  a b" << "a b";
        QTest::newRow("tabs are not blanks") << "\ta\t" << "\ta\t" << "\ta\t" << "\ta\t";
        QTest::newRow("single char") << "x" << "x" << "x" << "x";
    }
    void trimming() {
        QFETCH(QString, texte);
        QFETCH(QString, gauche);
        QFETCH(QString, droite);
        QFETCH(QString, deux);
        QCOMPARE(coupe_espaces_gauche(texte), gauche);
        QCOMPARE(coupe_espaces_droite(texte), droite);
        QCOMPARE(coupe_espaces(texte), deux);
    }
    void guillemets_et_numero() {
        QCOMPARE(enleve_guillemets(QStringLiteral("\"abc\"")), QStringLiteral("abc"));
        QCOMPARE(enleve_guillemets(QStringLiteral("abc")), QStringLiteral("b"));
        QCOMPARE(enleve_guillemets(QStringLiteral("\"")), QString());
        QCOMPARE(enleve_guillemets(QString()), QString());
        QCOMPARE(sans_numero(QStringLiteral("12   text"), false), QStringLiteral("  text"));
        QCOMPARE(sans_numero(QStringLiteral("12   text"), true), QStringLiteral("12   text"));
        QCOMPARE(sans_numero(QStringLiteral("12"), false), QString());
        QCOMPARE(remplace_car(QStringLiteral("1.5.2"), u'.', u','), QStringLiteral("1,5,2"));
    }
    void entiers_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valide");
        QTest::addColumn<int>("valeur");
        QTest::newRow("plain") << "5" << true << 5;
        QTest::newRow("leading blanks and sign") << "  -2147483633" << true << -2147483633;
        QTest::newRow("plus sign") << "+7" << true << 7;
        QTest::newRow("min int") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("overflow") << "2147483648" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("lone sign") << "-" << false << 0;
        QTest::newRow("trailing blank") << "5 " << false << 0;
        QTest::newRow("decimal") << "2,5" << false << 0;
    }
    void entiers() {
        QFETCH(QString, texte);
        QFETCH(bool, valide);
        QFETCH(int, valeur);
        int32_t v = 0;
        QCOMPARE(essaie_StrToInt(texte, v), valide);
        if (valide)
            QCOMPARE(v, valeur);
        else
            QVERIFY_THROWS_EXCEPTION(ErreurRez, StrToInt(texte));
    }
    void message_entier_nomme_le_texte() {
        try {
            StrToInt(QStringLiteral("abc"));
            QFAIL("no error");
        } catch (const ErreurRez& e) {
            QCOMPARE(e.texte(), QStringLiteral("'abc' is not a valid integer value."));
            QCOMPARE(e.genre(), ErreurRez::Genre::EntierInvalide);
            QCOMPARE(e.arguments(), QStringList{"abc"});
        }
        try {
            StrToFloat(QStringLiteral(" 1,5x"), u',');
            QFAIL("no error");
        } catch (const ErreurRez& e) {
            QCOMPARE(e.genre(), ErreurRez::Genre::ReelInvalide);
            QCOMPARE(e.arguments(), QStringList{" 1,5x"});
        }
    }
    void reels() {
        QCOMPARE(double(StrToFloat(QStringLiteral("3,5"), u',')), 3.5);
        QCOMPARE(double(StrToFloat(QStringLiteral("1e3"), u'.')), 1000.0);
        QVERIFY_THROWS_EXCEPTION(ErreurRez, StrToFloat(QStringLiteral("3.5"), u','));
        QVERIFY_THROWS_EXCEPTION(ErreurRez, StrToFloat(QStringLiteral("0x10"), u'.'));
        QVERIFY_THROWS_EXCEPTION(ErreurRez, StrToFloat(QStringLiteral("inf"), u'.'));
        QVERIFY_THROWS_EXCEPTION(ErreurRez, StrToFloat(QString(), u'.'));
    }
    void format_general_data() {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<QString>("texte");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("integer") << 105.0 << "105";
        QTest::newRow("decimal comma") << 3.5 << "3,5";
        QTest::newRow("million stays fixed") << 1e6 << "1000000";
        QTest::newRow("large") << 1.5e20 << "1,5E20";
        QTest::newRow("small fixed") << 0.00005 << "0,00005";
        QTest::newRow("tiny") << 5e-6 << "5E-6";
        QTest::newRow("15 digits") << 0.1 + 0.2 << "0,3";
    }
    void format_general() {
        QFETCH(double, valeur);
        QFETCH(QString, texte);
        QCOMPARE(FloatToStr(valeur, u','), texte);
    }
    void arrondi_demi_pair() {
        QCOMPARE(Round(2.5L), 2);
        QCOMPARE(Round(3.5L), 4);
        QCOMPARE(Round(-0.5L), 0);
        QCOMPARE(Round(-1.5L), -2);
        QCOMPARE(Round(2.6L), 3);
    }
};

QTEST_GUILESS_MAIN(TestTexte)
#include "test_texte.moc"
