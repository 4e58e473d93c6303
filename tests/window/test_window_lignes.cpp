#include "_rez/widgets/lignes_affichees.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QtTest>

class TestLignesAffichees : public QObject {
    Q_OBJECT
private slots:
    void lignes_de_paragraphes_courts_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("vide") << QString() << QStringList();
        QTest::newRow("une ligne") << QStringLiteral("abc") << QStringList{"abc"};
        QTest::newRow("saut final sans ligne") << QStringLiteral("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("ligne vide au milieu") << QStringLiteral("a\n\nb") << QStringList{"a", "", "b"};
        QTest::newRow("deux sauts finaux") << QStringLiteral("a\n\n") << QStringList{"a", ""};
        QTest::newRow("blancs gardes") << QStringLiteral("  a  ") << QStringList{"  a  "};
    }
    void lignes_de_paragraphes_courts() {
        QFETCH(QString, texte);
        QFETCH(QStringList, lignes);
        QPlainTextEdit boite;
        boite.resize(369, 73);
        boite.show();
        boite.setPlainText(texte);
        QCOMPARE(lignes_affichees(boite), lignes);
    }

    void paragraphe_long_coupe_a_la_largeur() {
        QPlainTextEdit boite;
        boite.resize(369, 73);
        boite.show();
        QString paragraphe;
        for (int i = 0; i < 40; ++i)
            paragraphe += QStringLiteral("mot%1 ").arg(i);
        paragraphe = paragraphe.trimmed();
        boite.setPlainText(paragraphe + QStringLiteral("\nfin"));
        const QStringList lignes = lignes_affichees(boite);
        QVERIFY(lignes.size() > 3);
        QCOMPARE(lignes.last(), QStringLiteral("fin"));
        QCOMPARE(lignes.mid(0, lignes.size() - 1).join(QString()), paragraphe);
        const QFontMetrics fm(boite.document()->defaultFont());
        for (const QString& l : lignes)
            QVERIFY2(fm.horizontalAdvance(l.trimmed()) <= boite.viewport()->width(), qPrintable(l));
    }

    void sans_retour_a_la_ligne_une_ligne_par_paragraphe() {
        QPlainTextEdit boite;
        boite.setLineWrapMode(QPlainTextEdit::NoWrap);
        boite.resize(100, 73);
        boite.show();
        const QString longue(500, QLatin1Char('x'));
        boite.setPlainText(longue);
        QCOMPARE(lignes_affichees(boite), QStringList{longue});
    }
};

QTEST_MAIN(TestLignesAffichees)
#include "test_window_lignes.moc"
