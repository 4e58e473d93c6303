#include "util_rez/base/extrait.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cstdlib>

class TestExtrait : public QObject {
    Q_OBJECT

    static QString long_de(int nb_champs) {
        QStringList champs;
        for (int i = 1; i <= nb_champs; ++i)
            champs << QStringLiteral("c%1").arg(i);
        return champs.join(QStringLiteral("   "));
    }

  private slots:
    void champ_data() {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("n");
        QTest::addColumn<QChar>("sep");
        QTest::addColumn<QString>("attendu");
        const QChar b(u' '), tab(u'\t');
        QTest::newRow("second") << "a b c" << 2 << b << "b";
        QTest::newRow("runs and leading blanks") << "   a    b  " << 1 << b << "a";
        QTest::newRow("runs, second") << "   a    b  " << 2 << b << "b";
        QTest::newRow("beyond the last") << "   a    b  " << 3 << b << "";
        QTest::newRow("zero") << "a b" << 0 << b << "";
        QTest::newRow("negative") << "a b" << -1 << b << "";
        QTest::newRow("blanks only") << "    " << 1 << b << "";
        QTest::newRow("empty line") << "" << 1 << b << "_extraitUTIL<>";
        QTest::newRow("empty line, field 0") << "" << 0 << b << "_extraitUTIL<>";
        QTest::newRow("other separator") << ";;x;;y;" << 2 << QChar(u';') << "y";
        QTest::newRow("blanks trimmed") << "a\t  b c \t" << 2 << tab << "b c";
        QTest::newRow("blank field") << "a\t   \tb" << 2 << tab << "";
        QTest::newRow("far in a long line") << long_de(100) << 99 << b << "c99";
        QTest::newRow("last of a long line") << long_de(100) << 100 << b << "c100";
        QTest::newRow("past a long line") << long_de(100) << 101 << b << "";
    }
    void champ() {
        QFETCH(QString, ligne);
        QFETCH(int, n);
        QFETCH(QChar, sep);
        QFETCH(QString, attendu);
        QCOMPARE(_extrait(ligne, n, sep), attendu);
        if (!ligne.isEmpty()) QCOMPARE(vue_champ(ligne, n, sep).toString(), attendu);
    }

    // "-" in the expected column: not a number, the default comes back.
    void nombre_data() {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("attendu");
        const QString cas = QStringLiteral(
            "0,5=0.5 1,234,5=- 1.5e3=1500 12.5%=- +=- -=- .=0 e5=0 -E-3=0 1e=- 1e+=- +.5=0.5 -2.=-2 1E2=100 "
            "1,5e2=150 1.2.3=- 1,2.3=- 0x10=- inf=- nan=- 0.1=0.1 -123.456=-123.456 007=7 0e99999=0 "
            "9999999999999999999=9999999999999999999 12345678901234567890123=12345678901234567890123 "
            "0.000000000000000000000000000001234=1.234e-30 1e308=1e308 1e400=- -1e400=- 1e99999=- "
            "1e-99999=0 1e999999999999999999999=- \u0661=- ,5=0.5 5,=5 1e,5=- "
            "12345678901234567890123,5=12345678901234567890123.5");
        for (const QString& c : cas.split(u' ')) {
            const QStringList paire = c.split(u'=');
            QTest::newRow(qPrintable(paire[0])) << paire[0] << paire[1];
        }
    }
    void nombre() {
        QFETCH(QString, champ);
        QFETCH(QString, attendu);
        const long double defaut = -999;
        const long double v =
            extrait_reel(QStringLiteral("x ") + champ + QStringLiteral(" y"), 2, u' ', defaut);
        const long double a =
            attendu == u"-" ? defaut : std::strtold(attendu.toLatin1().constData(), nullptr);
        QVERIFY2(v == a, qPrintable(QString::asprintf("read %.21Lg", v)));
    }

    void champ_absent_ou_vide() {
        QCOMPARE(extrait_reel(QStringLiteral("1 2"), 3, u' ', 7), 7.0L);
        QCOMPARE(extrait_reel(QString(), 1, u' ', 7), 7.0L);
        QCOMPARE(extrait_reel(QStringLiteral("a\t \t3"), 2, u'\t', 7), 7.0L);
        QCOMPARE(extrait_reel(QStringLiteral("a\t 4,5 \t3"), 2, u'\t', 7), 4.5L);
    }

    // Leading fraction zeros take back a long exponent: the value is what the text says, however
    // long the exponent had to be to say it.
    void exposant_long_apres_zeros_data() {
        QTest::addColumn<int>("zeros");
        QTest::addColumn<QString>("exposant");
        QTest::addColumn<double>("attendu");
        QTest::newRow("1e19") << 999990 << "1000010" << 1e19;
        QTest::newRow("1e-21") << 1000020 << "1000000" << 1e-21;
        QTest::newRow("exponent past any bound") << 10 << "99999999999999999999" << -999.0;
        QTest::newRow("few zeros") << 3 << "10" << 1e6;
    }
    void exposant_long_apres_zeros() {
        QFETCH(int, zeros);
        QFETCH(QString, exposant);
        QFETCH(double, attendu);
        const QString champ = QStringLiteral("0.") + QString(zeros, u'0') + QStringLiteral("1e") + exposant;
        QCOMPARE(double(extrait_reel(champ, 1, u' ', -999)), attendu);
    }

    // The quick path must give exactly the correctly rounded value the C library gives.
    void arrondi_comme_la_bibliotheque() {
        QRandomGenerator g(20240318);
        for (int i = 0; i < 20000; ++i) {
            const int entiers = static_cast<int>(g.bounded(12)), decimales = static_cast<int>(g.bounded(12));
            QString t = QString::number(g.bounded(1000000000)).right(entiers);
            t += u'.' + QString::number(g.generate64()).left(decimales);
            if (g.bounded(3) == 0) t += QStringLiteral("e%1").arg(static_cast<int>(g.bounded(60)) - 30);
            const long double attendu = std::strtold(t.toLatin1().constData(), nullptr);
            QVERIFY2(extrait_reel(t, 1, u' ', -1) == attendu, qPrintable(t));
        }
    }
};

QTEST_APPLESS_MAIN(TestExtrait)
#include "test_extrait.moc"
