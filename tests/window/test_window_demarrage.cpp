#include "fenetre.h"

#include "util_rez/config/setup.h"
#include "util_rez/shell/couleurs.h"

#include <QtTest>

class TestDemarrage : public QObject {
    Q_OBJECT
private slots:
    void sans_argument() {
        Session s;
        TForm1& f = s.demarre();
        QCOMPARE(QRect(f.pos(), f.size()), QRect((1920 - 1162) / 2, (1080 - 586) / 2, 1162, 586));
        QCOMPARE(f.Label11->text(), QString());
        for (int k = 1; k <= 7; ++k)
            QVERIFY(f.cases_courbes[k]->isChecked());
        QVERIFY(!f.CheckBox8->isChecked());
        QCOMPARE(f.Color(), f.Panel5->Color());
        QCOMPARE(f.fichier_langue, QStringLiteral("Lintrace_lng.en.txt"));
        QCOMPARE(f.SpeedButton1->text(), QStringLiteral("Target file"));
        QCOMPARE(f.Label3->text(), f.texte_message(3));
        QCOMPARE(f.windowTitle(), QStringLiteral("Lintrace"));
        QCOMPARE(f.windowIcon().availableSizes(), (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
        QVERIFY(f.chemin_cible.isEmpty());
        QVERIFY(s.plateforme->messages.isEmpty());
        QVERIFY(f.setup_Panel4->isHidden() && f.Panel7->isHidden() && f.Panel2->isHidden() && f.Panel4->isHidden());
        QVERIFY(f.autoscale_X_CheckBox7->isChecked() && f.autoscale_Y_CheckBox8->isChecked());
        QCOMPARE(f.setup_Panel4->pos(), QPoint(f.Memo1->x() + 50, 5));
        QCOMPARE(f.Timer1->interval(), 1000);
        QVERIFY(f.Timer1->isActive());
    }
    // A script's empty variable (`lintrace ""`) names no file.
    void argument_vide() {
        Session s;
        TForm1& f = s.demarre({""});
        QVERIFY(f.chemin_cible.isEmpty());
        QVERIFY(s.plateforme->messages.isEmpty());
    }
    void sessions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("haut");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("bas");
        QTest::newRow("#1") << QStringList{"#1"} << 0 << "top" << false;
        QTest::newRow("#2") << QStringList{"#2"} << 520 << "bottom" << true;
        QTest::newRow("#1 with a second argument") << QStringList{"#1", "ignored.txt"} << 0 << "top" << false;
    }
    void sessions() {
        QFETCH(QStringList, arguments);
        QFETCH(int, haut);
        QFETCH(QString, nom);
        QFETCH(bool, bas);
        Session s;
        aide_test::ecrit_octets(s.chemin(nom_fichier_setup),
                               "5\r\n2\r\n2\r\n,\r\ntop\r\nbottom\r\nFALSE\r\n0\r\n255\r\n65280\r\n");
        TForm1& f = s.demarre(arguments);
        QTRY_COMPARE(f.frameGeometry(), QRect(0, haut, 1920, 520)); // the frame, once its margins are known
        QCOMPARE(f.Label11->text(), nom);
        QCOMPARE(f.windowTitle(), nom + QStringLiteral(" – Lintrace"));
        QCOMPARE(f.placement_bas(), bas);
        QCOMPARE(f.Color(), bas ? 65280 : 255);
        QCOMPARE(f.Image3->isHidden(), bas);
        QVERIFY(f.chemin_cible.isEmpty());
    }
    void argument_fichier_absent() {
        Session s;
        TForm1& f = s.demarre({"#1x"});
        QCOMPARE(f.chemin_cible, QStringLiteral("#1x"));
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(s.plateforme->messages.first().contains(QStringLiteral("#1x")));
        QCOMPARE(f.Label11->text(), QString());
        QCOMPARE(f.windowTitle(), QStringLiteral("#1x – Lintrace")); // followed until it appears
        QCOMPARE(f.taille_cible, -1);
        QCOMPARE(f.Color(), f.Panel5->Color());
    }
    void setup_arrete_a_une_ligne_fausse_et_demarrage_continue() {
        Session s;
        aide_test::ecrit_octets(s.chemin(nom_fichier_setup), "7\r\n0\r\n3\r\n.\r\nA\r\nB\r\nTRUE\r\nExcel\r\n255\r\n0\r\n");
        TForm1& f = s.demarre({"#2"});
        // Reported in the language that the lines before the bad one chose.
        QCOMPARE(s.plateforme->messages, QStringList{"'Excel' n'est pas un nombre entier valide."});
        QCOMPARE(f.Edit5->text(), QStringLiteral("7"));
        QCOMPARE(f.langage_RadioGroup1->ItemIndex(), 0);
        QCOMPARE(f.Edit4->text(), QStringLiteral("."));
        QVERIFY(f.sound_CheckBox8->isChecked());
        QCOMPARE(s.plateforme->sons, QStringList{"ding1.wav"});
        QCOMPARE(f.RadioGroup1->ItemIndex(), 0);
        QCOMPARE(f.Panel5->Color(), couleur_face_bouton);
        // the rest of start-up still ran
        QCOMPARE(f.SpeedButton1->text(), f.texte_message(1));
        QVERIFY(f.SpeedButton1->text() != QStringLiteral("Target file"));
        for (int k = 1; k <= 7; ++k)
            QVERIFY(f.cases_courbes[k]->isChecked());
        QCOMPARE(f.Label11->text(), QStringLiteral("B"));
        QTRY_VERIFY(f.placement_bas());
    }
    void langue_maitre_absente() {
        Session s({"Lintrace_lng.en.txt"});
        TForm1& f = s.demarre();
        QVERIFY(!s.plateforme->messages.isEmpty());
        QCOMPARE(s.plateforme->messages.first(),
                 QStringLiteral("ww(42)=?") + s.chemin("Lintrace_lng.fr.txt") + QStringLiteral("ww(43)=?"));
        QCOMPARE(f.SpeedButton1->text(), QStringLiteral("ww(1)=?"));
        QCOMPARE(f.autoscale_Y_CheckBox8->text(), QStringLiteral("ww(67)=?"));
        QCOMPARE(f.Label3->text(), QStringLiteral("ww(3)=?"));
    }
    void dossier_memorise_affiche() {
        Session s;
        aide_test::ecrit_octets(s.chemin("~rez_rep.~r"), "/data/runs/\r\n");
        TForm1& f = s.demarre();
        QCOMPARE(f.Label3->text(), QStringLiteral("/data/runs/"));
    }
    void enregistre_puis_relit() {
        Session s;
        {
            TForm1& f = s.demarre();
            f.Edit5->setText(QStringLiteral("10"));
            f.Edit3->setText(QStringLiteral("3"));
            f.Edit6->setText(QStringLiteral(" top  name "));
            f.langage_RadioGroup1->setItemIndex(3);
            f.RadioGroup1->setItemIndex(1);
            QVERIFY(!f.avec_excel);
            f.Panel6->setColor(0x0000FF);
            f.SpeedButton11Click();
        }
        QCOMPARE(aide_test::lit_octets(s.chemin(nom_fichier_setup)),
                 QByteArray("10\r\n3\r\n3\r\n,\r\n top  name \r\nID3\r\nFALSE\r\n1\r\n-2147483633\r\n255\r\n60\r\n"));
        TForm1& f = s.demarre({"#2"});
        QCOMPARE(f.Edit5->text(), QStringLiteral("10"));
        QCOMPARE(f.fichier_langue, QStringLiteral("Lintrace_lng.de.txt"));
        QVERIFY(!f.avec_excel);
        QCOMPARE(f.Color(), 0x0000FF);
        QCOMPARE(f.Panel5->Color(), couleur_face_bouton);
    }
    void langue_et_numeros() {
        Session s;
        TForm1& f = s.demarre();
        f.langage_RadioGroup1->setItemIndex(0);
        QCOMPARE(f.fichier_langue, QStringLiteral("Lintrace_lng.fr.txt"));
        const QString fr = f.SpeedButton1->text();
        QVERIFY(fr != QStringLiteral("Target file"));
        f.avecn1->setChecked(true);
        QCOMPARE(f.SpeedButton1->text(), QStringLiteral("1 ") + fr);
        QVERIFY(f.Button1->toolTip().startsWith(QStringLiteral("65 ")));
        f.avecn1->setChecked(false);
        f.langage_RadioGroup1->setItemIndex(2);
        QCOMPARE(f.SpeedButton1->text(), QStringLiteral("Target file"));
        QCOMPARE(f.langage_RadioGroup1->title(), f.texte_message(16));
        QCOMPARE(f.texte_message(17), QStringLiteral("Français"));
        f.SpeedButton6Click();
        QCOMPARE(s.plateforme->editeur, (QStringList{s.dossier.path(), "Lintrace_lng.en.txt"}));
    }
    void panneau_setup() {
        Session s;
        TForm1& f = s.demarre();
        f.setup_SpeedButton6Click();
        QVERIFY(!f.setup_Panel4->isHidden());
        f.SpeedButton2Click();
        QVERIFY(f.setup_Panel4->isHidden());
        QVERIFY(!QFile::exists(s.chemin(nom_fichier_setup)));
    }
};

QTEST_MAIN(TestDemarrage)
#include "test_window_demarrage.moc"
