#include "fenetre.h"

#include <QtTest>

class TestEcran : public QObject {
    Q_OBJECT
private slots:
    void demi_ecrans_data() {
        QTest::addColumn<QRect>("disponible");
        QTest::addColumn<int>("hauteur");
        QTest::newRow("bottom panel of 40") << QRect(0, 0, 1920, 1040) << 520;
        QTest::newRow("no panel") << QRect(0, 0, 1920, 1080) << 540;
        QTest::newRow("side panel") << QRect(64, 0, 1856, 1080) << 540;
        QTest::newRow("odd usable height") << QRect(0, 0, 1920, 1041) << 520;
    }
    void demi_ecrans() {
        QFETCH(QRect, disponible);
        QFETCH(int, hauteur);
        Session s;
        TForm1& f = s.demarre({}, [&](PlateformeTest& p) { p.disponible_ = disponible; });
        f.Panel5->setColor(0x0000FF);
        f.Panel6->setColor(0x00FF00);
        const int gauche = f.frameGeometry().x();
        const int largeur = f.frameGeometry().width(); // the offscreen platform's frame is 2 pixels wide
        f.SpeedButton9->click();
        QCOMPARE(f.frameGeometry(), QRect(gauche, hauteur, largeur, hauteur));
        QVERIFY(f.placement_bas());
        QCOMPARE(f.Color(), 0x00FF00);
        QVERIFY(f.Image3->isHidden());
        f.SpeedButton8->click();
        QCOMPARE(f.frameGeometry(), QRect(gauche, 0, largeur, hauteur));
        QVERIFY(!f.placement_bas());
        QCOMPARE(f.Color(), 0x0000FF);
        QVERIFY(!f.Image3->isHidden());
    }
    void placement_bas_decide_couleur_et_son() {
        Session s;
        TForm1& f = s.demarre();
        f.Panel6->setColor(0x123456);
        f.resize(800, 300);
        f.move(10, f.frameGeometry().height()); // dragged there by hand: counts as the bottom session
        QVERIFY(f.placement_bas());
        s.plateforme->couleurs_choisies = {std::nullopt};
        f.Button1MouseDown(Qt::LeftButton);
        QCOMPARE(f.Panel6->Color(), f.Color());
        f.joue_son();
        QCOMPARE(s.plateforme->sons, QStringList{"ding2.wav"});
        f.move(10, f.frameGeometry().height() + 1);
        f.joue_son();
        QCOMPARE(s.plateforme->sons.last(), QStringLiteral("ding1.wav"));
    }
    void aide_suit_la_langue() {
        Session s({"Lintrace_lng.fr.txt", "Lintrace_lng.en.txt", "Lintrace_help.fr.txt", "Lintrace_help.en.txt"});
        TForm1& f = s.demarre();
        const QString en = QString::fromUtf8(aide_test::lit_octets(s.chemin("Lintrace_help.en.txt")))
                               .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        f.SpeedButton12->click();
        QVERIFY(!f.Panel7->isHidden());
        QCOMPARE(f.Memo5->toPlainText() + QLatin1Char('\n'), en);
        f.Memo5->setPlainText(QStringLiteral("typed by the user"));
        f.langage_RadioGroup1->setItemIndex(0);
        f.SpeedButton12->click(); // hides, and reloads the text all the same
        QVERIFY(f.Panel7->isHidden());
        QVERIFY(f.Memo5->toPlainText().startsWith(
            QString::fromUtf8(aide_test::lit_octets(s.chemin("Lintrace_help.fr.txt"))).section(QLatin1Char('\r'), 0, 0)));
        f.SpeedButton12->click();
        QVERIFY(!f.Panel7->isHidden());
        f.SpeedButton13->click();
        QVERIFY(f.Panel7->isHidden());
        f.langage_RadioGroup1->setItemIndex(1); // no Italian help beside the program
        f.SpeedButton12->click();
        QVERIFY(!f.Panel7->isHidden());
        QCOMPARE(f.Memo5->toPlainText(), QString());
        QVERIFY(s.plateforme->messages.size() == 1); // only the missing Italian language file
    }
    void a_propos() {
        Session s;
        TForm1& f = s.demarre();
        f.SpeedButton3->click();
        QVERIFY(!f.Panel2->isHidden());
        f.SpeedButton3->click();
        QVERIFY(f.Panel2->isHidden());
        f.SpeedButton3->click();
        QTest::mouseClick(f.Panel3, Qt::LeftButton);
        QVERIFY(f.Panel2->isHidden());
        f.Panel3Click();
        QVERIFY(f.Panel2->isHidden());
        QCOMPARE(f.Panel3->Caption(), f.texte_message(15));
        QCOMPARE(f.StaticText1->text(), f.texte_message(101));
        QCOMPARE(f.StaticText3->text(), f.texte_message(103) + QStringLiteral(" " LINTRACE_VERSION));
    }
};

QTEST_MAIN(TestEcran)
#include "test_window_ecran.moc"
