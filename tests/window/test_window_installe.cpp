#include "fenetre.h"

#include "util_rez/config/setup.h"

#include <QtTest>

// The window run as installed: the program folder read-only, the written files per user.
class TestInstalle : public QObject {
    Q_OBJECT

    static QByteArray setup_livre() {
        return "5\r\n0\r\n2\r\n,\r\nSHIPPED\r\nID3\r\nFALSE\r\n0\r\n-2147483633\r\n-2147483633\r\n";
    }

  private slots:
    void setup_livre_par_defaut_puis_celui_de_l_utilisateur() {
        Session s;
        s.installe = true;
        aide_test::ecrit_octets(s.chemin(nom_fichier_setup), setup_livre());
        {
            TForm1& f = s.demarre();
            QCOMPARE(f.Edit6->text(), QStringLiteral("SHIPPED"));
            QCOMPARE(f.fichier_langue, QStringLiteral("Lintrace_lng.fr.txt"));
            f.Edit5->setText(QStringLiteral("10"));
            f.langage_RadioGroup1->setItemIndex(3);
            f.SpeedButton11Click();
            QVERIFY(s.plateforme->messages.isEmpty());
        }
        QCOMPARE(aide_test::lit_octets(s.chemin_utilisateur(nom_fichier_setup)),
                 QByteArray(
                     "10\r\n3\r\n2\r\n,\r\nSHIPPED\r\nID3\r\nFALSE\r\n0\r\n-2147483633\r\n-2147483633\r\n60\r\n"));
        QCOMPARE(aide_test::lit_octets(s.chemin(nom_fichier_setup)), setup_livre());
        TForm1& f = s.demarre();
        QCOMPARE(f.Edit5->text(), QStringLiteral("10"));
        QCOMPARE(f.fichier_langue, QStringLiteral("Lintrace_lng.de.txt"));
    }

    // The user's own setup file that cannot be read (a folder, a pipe): the shipped settings,
    // and one box that names the file.
    void setup_personnel_illisible() {
        Session s;
        s.installe = true;
        aide_test::ecrit_octets(s.chemin(nom_fichier_setup), setup_livre());
        QVERIFY(QDir().mkpath(s.chemin_utilisateur(nom_fichier_setup)));
        TForm1& f = s.demarre();
        QCOMPARE(f.Edit6->text(), QStringLiteral("SHIPPED"));
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(s.plateforme->messages.first().startsWith(f.texte_message(112) + "\n" +
                                                          s.chemin_utilisateur(nom_fichier_setup) + "\n"));
    }

    void enregistrement_rate_le_dit_data() {
        QTest::addColumn<bool>("installe");
        QTest::addColumn<QString>("plein");     // where the disk is full
        QTest::addColumn<bool>("sans_dossier"); // the per-user folder cannot be made
        QTest::newRow("installed, disk full") << true << "utilisateur" << false;
        QTest::newRow("installed, no per-user folder") << true << "" << true;
        QTest::newRow("program folder, disk full") << false << "prog" << false;
    }
    void enregistrement_rate_le_dit() {
        QFETCH(bool, installe);
        QFETCH(QString, plein);
        QFETCH(bool, sans_dossier);
        Session s;
        s.installe = installe;
        if (sans_dossier) {
            aide_test::ecrit_octets(s.base_utilisateur.filePath("fichier"), "");
            s.utilisateur = s.base_utilisateur.filePath("fichier/Lintrace");
        }
        QVERIFY(QDir().mkpath(s.utilisateur) || sans_dossier);
        const QString chemin =
            installe ? s.chemin_utilisateur(nom_fichier_setup) : s.chemin(nom_fichier_setup);
        TForm1& f = s.demarre();
        f.Edit5->setText(QStringLiteral("10"));
        {
            std::optional<aide_test::LimiteTailleFichier> disque_plein;
            if (!plein.isEmpty()) disque_plein.emplace(4);
            f.SpeedButton11Click();
        }
        QCOMPARE(s.plateforme->messages.size(), 1);
        const QStringList lignes = s.plateforme->messages.first().split(QLatin1Char('\n'));
        QCOMPARE(lignes.size(), 3);
        QCOMPARE(lignes[0], f.texte_message(77));
        QCOMPARE(lignes[0],
                 QStringLiteral("The settings stay in effect but could not be saved to this file:"));
        QCOMPARE(lignes[1], chemin);
        QVERIFY(!lignes[2].isEmpty());
        if (!plein.isEmpty()) QCOMPARE(lignes[2], QStringLiteral("File too large"));
        QCOMPARE(f.Edit5->text(), QStringLiteral("10"));
    }

    void copie_de_langue_prend_effet() {
        Session s;
        s.installe = true;
        const QByteArray livre = aide_test::lit_octets(s.chemin("Lintrace_lng.en.txt"));
        TForm1& f = s.demarre();
        QCOMPARE(f.SpeedButton1->text(), QStringLiteral("Target file"));
        f.SpeedButton6Click();
        QCOMPARE(s.plateforme->editeur, (QStringList{s.utilisateur, "Lintrace_lng.en.txt"}));
        const QString copie = s.chemin_utilisateur("Lintrace_lng.en.txt");
        QCOMPARE(aide_test::lit_octets(copie), livre);
        QByteArray modifie = livre;
        modifie.replace("\r\n1 Target file\r\n", "\r\n1 Pick the data file\r\n");
        QVERIFY(modifie != livre);
        aide_test::ecrit_octets(copie, modifie);
        f.avecn1->setChecked(true); // a reload, as the user's next language change would do
        f.avecn1->setChecked(false);
        QCOMPARE(f.SpeedButton1->text(), QStringLiteral("Pick the data file"));
        f.SpeedButton6Click(); // opening it again keeps the edit
        QCOMPARE(aide_test::lit_octets(copie), modifie);
        QCOMPARE(aide_test::lit_octets(s.chemin("Lintrace_lng.en.txt")), livre);
        QCOMPARE(s.demarre().SpeedButton1->text(), QStringLiteral("Pick the data file"));
    }

    void fichiers_memorises_chez_l_utilisateur() {
        Session s;
        s.installe = true;
        const QString cible = s.base_utilisateur.filePath("run.txt");
        aide_test::ecrit_octets(cible, aide_test::echantillon("fini.txt"));
        TForm1& f = s.demarre({}, [&](PlateformeTest& p) { p.fichiers_choisis.push_back(cible); });
        f.SpeedButton1->click();
        QVERIFY(s.plateforme->bips.isEmpty());
        QCOMPARE(aide_test::lit_octets(s.chemin_utilisateur("~rez_rep.~f")), QByteArray("run.txt\r\n"));
        QVERIFY(!QFileInfo::exists(s.chemin("~rez_rep.~r")));
        TForm1& g = s.demarre();
        QCOMPARE(g.Label3->text(), s.base_utilisateur.path() + QLatin1Char('/'));
    }

    void memorisation_impossible_bipe() {
        Session s;
        s.installe = true;
        aide_test::ecrit_octets(s.base_utilisateur.filePath("fichier"), "");
        s.utilisateur = s.base_utilisateur.filePath("fichier/Lintrace");
        const QString cible = s.chemin("run.txt");
        aide_test::ecrit_octets(cible, aide_test::echantillon("fini.txt"));
        TForm1& f = s.demarre({}, [&](PlateformeTest& p) { p.fichiers_choisis.push_back(cible); });
        f.SpeedButton1->click();
        QCOMPARE(s.plateforme->bips, (QList<QPair<int, int>>{{1250, 100}, {1250, 100}}));
        QVERIFY(s.plateforme->messages.isEmpty());
        QCOMPARE(f.nb_enreg, 5);
    }
};

QTEST_MAIN(TestInstalle)
#include "test_window_installe.moc"
