#include "cible_essai.h"
#include "fenetre.h"

#include "util_rez/config/pointeur.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/remplit_tableau.h"

#include <QProcess>
#include <QtTest>

namespace {

void tic(TForm1& f) {
    f.Timer1Timer();
}

} // namespace

class TestSuivi : public QObject {
    Q_OBJECT
  private slots:
    void dialogue_avec_dossier_et_nom_memorises() {
        Session s;
        const QString cible = s.chemin("run.txt");
        aide_test::ecrit_octets(cible, aide_test::CibleEssai{.enregistrements = 3}.octets());
        aide_test::ecrit_octets(s.chemin("~rez_rep.~r"), "/data/\r\n");
        aide_test::ecrit_octets(s.chemin("~rez_rep.~f"), "old.txt\r\n");
        TForm1& f = s.demarre({}, [&](PlateformeTest& p) { p.fichiers_choisis.push_back(cible); });
        f.Edit1->setText(QStringLiteral("23"));
        f.autoscale_X_CheckBox7->setChecked(false);
        f.SpeedButton1->click();
        const auto& o = s.plateforme->ouvertures.first();
        QCOMPARE(o.dossier, QStringLiteral("/data/"));
        QCOMPARE(o.nom, QStringLiteral("old.txt"));
        QCOMPARE(o.titre, f.texte_message(2));
        QCOMPARE(f.windowTitle(), QStringLiteral("run.txt – Lintrace"));
        QCOMPARE(aide_test::lit_octets(s.chemin("~rez_rep.~r")), (s.dossier.path() + "/\r\n").toUtf8());
        QCOMPARE(aide_test::lit_octets(s.chemin("~rez_rep.~f")), QByteArray("run.txt\r\n"));
        QCOMPARE(f.chemin_cible, cible);
        QCOMPARE(f.nb_enreg, 3);
        QCOMPARE(f.Label6->text(), QStringLiteral("3"));
        QCOMPARE(f.Label3->text(), QStringLiteral("Bench 3"));
        QCOMPARE(f.CheckBox7->text(), QStringLiteral("F - D"));
        QCOMPARE(f.Edit1->text(), QStringLiteral("30")); // the zoom pair snaps 23 to a round value
        QCOMPARE(f.taille_cible, int32_t(QFileInfo(cible).size()));
    }
    void memorisation_impossible_bipe() {
        Session s;
        const QString cible = s.chemin("run.txt");
        aide_test::ecrit_octets(cible, aide_test::CibleEssai{.enregistrements = 1}.octets());
        QVERIFY(QDir(s.dossier.path()).mkdir(QStringLiteral("~rez_rep.~f"))); // cannot be written as a file
        TForm1& f = s.demarre({}, [&](PlateformeTest& p) { p.fichiers_choisis.push_back(cible); });
        f.SpeedButton1->click();
        QCOMPARE(s.plateforme->bips, (QList<QPair<int, int>>{{1250, 100}}));
        QVERIFY(s.plateforme->messages.isEmpty());
        QCOMPARE(f.nb_enreg, 1); // the load goes on
    }
    void dialogue_annule() {
        Session s;
        TForm1& f = s.demarre();
        f.SpeedButton1->click();
        QCOMPARE(s.plateforme->ouvertures.size(), 1);
        QCOMPARE(f.windowTitle(), QStringLiteral("Lintrace"));
        QVERIFY(f.chemin_cible.isEmpty());
        QVERIFY(!QFile::exists(s.chemin("~rez_rep.~r")));
    }
    void fichier_illisible() {
        Session s;
        const QString absent = s.chemin("gone.txt");
        TForm1& f = s.demarre({}, [&](PlateformeTest& p) { p.fichiers_choisis.push_back(absent); });
        f.Edit1->setText(QStringLiteral("23"));
        f.autoscale_X_CheckBox7->setChecked(false);
        f.SpeedButton1->click();
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(s.plateforme->messages.first().contains(absent));
        QCOMPARE(f.chemin_cible, absent);
        QCOMPARE(f.windowTitle(), QStringLiteral("gone.txt – Lintrace"));
        QCOMPARE(f.taille_cible, -1);
        QCOMPARE(f.Edit1->text(), QStringLiteral("23")); // the zoom pair did not run
        tic(f);
        QCOMPARE(s.plateforme->messages.size(), 1); // quiet until the file changes
    }
    void commentaire_coupe_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("lignes");
        QTest::addColumn<QString>("commentaire");
        QTest::newRow("block at the end")
            << aide_test::echantillon("commentaire.txt") << 11 << "first line\nsecond line";
        QTest::newRow("marker on line 2 not recognised")
            << QByteArray("\"h1\"\r\nComment\r\nx\r\n") << 3 << "kept";
        QTest::newRow("marker as third line")
            << QByteArray("\"h1\"\r\n\"h2\"\r\n  Comment  \r\nx\r\n") << 1 << "x";
        QTest::newRow("another language's marker")
            << aide_test::CibleEssai{.enregistrements = 1, .marque = "Kommentar", .commentaire = {"x"}}
                   .octets()
            << 4 << "x";
    }
    void commentaire_coupe() {
        QFETCH(QByteArray, contenu);
        QFETCH(int, lignes);
        QFETCH(QString, commentaire);
        Session s;
        aide_test::ecrit_octets(s.chemin("run.txt"), contenu);
        TForm1& f = s.demarre();
        f.Memo3->setPlainText(QStringLiteral("kept"));
        f.charge_fichier_dans_memo_et_affiche(s.chemin("run.txt"));
        QCOMPARE(f.lignes_chargees().size(), lignes);
        QCOMPARE(f.Memo3->toPlainText(), commentaire);
    }
    void derniere_ligne_inachevee() {
        Session s;
        const QString cible = s.chemin("run.txt");
        const QByteArray inacheve = aide_test::echantillon("inacheve.txt");
        aide_test::ecrit_octets(cible, inacheve);
        TForm1& f = s.demarre({cible});
        QCOMPARE(f.nb_enreg, 4);
        QCOMPARE(f.Label15->text(), QStringLiteral("00001.50 13 2 3 4 5 6"));
        QVERIFY(!f.Label15->toolTip().isEmpty());
        aide_test::ecrit_octets(cible, inacheve + " 3 4 5 99\"");
        f.charge_fichier_dans_memo_et_affiche(cible);
        QCOMPARE(f.nb_enreg, 5); // a complete last line without its line break counts
        QCOMPARE(double(f.max_y), 99.0);
    }
    // A long file is loaded off the window's thread: the window goes on, loads nothing else
    // meanwhile, and ends with what a load on its own thread gives.
    void long_fichier_charge_a_part() {
        Session s;
        const QString cible = s.chemin("run.txt");
        aide_test::ecrit_octets(
            cible,
            aide_test::CibleEssai{.enregistrements = 100000, .marque = "Comment", .commentaire = {"note"}}
                .octets());
        TForm1& f = s.demarre();
        f.taille_chargement_a_part = 0;
        int tics = 0;
        QTimer minuteur;
        connect(&minuteur, &QTimer::timeout, this, [&] {
            if (++tics == 1) f.charge_fichier_dans_memo_et_affiche(s.chemin("absent.txt"));
        });
        minuteur.start(1);
        f.charge_fichier_dans_memo_et_affiche(cible);
        minuteur.stop();
        QVERIFY2(tics >= 2, qPrintable(QString::number(tics)));
        QCOMPARE(f.nb_enreg, 100000);
        QCOMPARE(f.lignes_chargees().size(), 100003);
        QCOMPARE(f.Memo3->toPlainText(), QStringLiteral("note"));
        QVERIFY(s.plateforme->messages.isEmpty());
    }
    void un_seul_message_pour_une_erreur_qui_se_repete() {
        Session s;
        TForm1& f = s.demarre();
        f.Edit5->setText(QStringLiteral("-1"));
        int ouverts = 0;
        // Ticks keep arriving while a modal box is open; they must not stack another one.
        s.plateforme->pendant_message = [&] {
            ++ouverts;
            tic(f);
            tic(f);
        };
        tic(f);
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(
            s.plateforme->messages.first().startsWith(QStringLiteral("'-1' is not a valid refresh period.")));
        QVERIFY(s.plateforme->messages.first().endsWith(f.texte_message(70)));
        QCOMPARE(ouverts, 1);
        QCOMPARE(f.Timer1->interval(), 1000); // the period stays what it was
        s.plateforme->pendant_message = nullptr;
        tic(f); // closed: the ticks resume, and so does the message until the text is corrected
        QCOMPARE(s.plateforme->messages.size(), 2);
        f.Edit5->setText(QStringLiteral("x5"));
        tic(f);
        QVERIFY(
            s.plateforme->messages.last().startsWith(QStringLiteral("'x5' is not a valid integer value.")));
    }
    void periode() {
        Session s;
        TForm1& f = s.demarre();
        f.Edit5->setText(QStringLiteral("5"));
        tic(f);
        QCOMPARE(f.Timer1->interval(), 5000);
        const int id = f.Timer1->timerId();
        tic(f);
        QCOMPARE(f.Timer1->timerId(), id); // the same period leaves the countdown alone
        f.Edit5->setText(QStringLiteral("99999999"));
        tic(f);
        QCOMPARE(f.Timer1->interval(), 2147483 * 1000);
        f.Edit5->setText(QStringLiteral("0"));
        tic(f);
        QVERIFY(!f.Timer1->isActive());
    }
    void battement() {
        Session s;
        TForm1& f = s.demarre();
        tic(f);
        QCOMPARE(f.Panel1->Color(), 128 + 128 * 256);
        tic(f);
        QCOMPARE(f.Panel1->Color(), 128 * 256 + 128 * 65536);
        tic(f);
        QCOMPARE(f.Panel1->Color(), 128 + 128 * 256);
    }
    void son_de_la_session() {
        Session s({"Lintrace_lng.fr.txt", "Lintrace_lng.en.txt", "ding1.wav"});
        TForm1& f = s.demarre({"#2"});
        QTRY_VERIFY(f.placement_bas());
        f.joue_son();
        QCOMPARE(s.plateforme->bips_alerte, 1); // no ding2.wav beside the program
        f.SpeedButton8Click();
        f.joue_son();
        QCOMPARE(s.plateforme->sons, QStringList{"ding1.wav"});
        f.sound_CheckBox8->setChecked(true);
        f.sound_CheckBox8->setChecked(false);
        QCOMPARE(s.plateforme->sons.size(), 3);
    }
    void suit_un_ecrivain_reel() {
        Session s;
        const QString cible = s.chemin("live.txt");
        const QString ecrivain = QStringLiteral(LINTRACE_BIN_DIR "/lintrace-demo");
        QVERIFY(QFile::exists(ecrivain));
        QProcess p;
        p.start(ecrivain, {"--interval-ms", "15", "--records", "120", "--summary-lines", "2", cible});
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(cible).size() > 200, 10000);
        TForm1& f = s.demarre({cible});
        f.sound_CheckBox8->setChecked(true);
        s.plateforme->sons.clear();
        int vus = -1;
        bool croissant = true;
        while (p.state() != QProcess::NotRunning) {
            tic(f);
            croissant = croissant && f.nb_enreg >= vus;
            vus = f.nb_enreg;
            p.waitForFinished(40);
        }
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(croissant);
        tic(f);
        QVERIFY(f.arrete);
        QCOMPARE(f.nb_enreg, 120);
        // the whole file read anew gives the same table and scales
        Tableau t;
        const ResultatParse r = ::remplit_tableau(lit_fichier_texte(cible).lignes, t);
        QCOMPARE(r.nb_enreg, 120);
        QCOMPARE(f.Edit1->text(), QString::number(*valeur_autoscale(r.max_x)));
        QCOMPARE(f.Edit2->text(), QString::number(*valeur_autoscale(r.max_y)));
        const QStringList lignes = lit_fichier_texte(cible).lignes;
        QCOMPARE(f.Label15->text(), lignes.last().mid(1, lignes.last().size() - 2));
        QVERIFY(!s.plateforme->sons.isEmpty());
        QVERIFY(s.plateforme->messages.isEmpty());

        // one reload per change
        const int avant = f.nb_chargements;
        tic(f);
        QCOMPARE(f.nb_chargements, avant);
        QFile a(cible);
        QVERIFY(a.open(QIODevice::Append));
        a.write("\"extra\"\r\n");
        a.close();
        tic(f);
        tic(f);
        QCOMPARE(f.nb_chargements, avant + 1);

        // a file that vanishes and comes back is followed again
        QVERIFY(QFile::remove(cible));
        tic(f);
        QCOMPARE(s.plateforme->messages.size(), 1);
        QCOMPARE(f.taille_cible, -1);
        tic(f);
        QCOMPARE(s.plateforme->messages.size(), 1);
        aide_test::ecrit_octets(cible, aide_test::echantillon("fini.txt"));
        tic(f);
        QCOMPARE(f.nb_enreg, 5);
        QCOMPARE(f.Label15->text(), QStringLiteral("n = 5"));
    }
};

QTEST_MAIN(TestSuivi)
#include "test_window_suivi.moc"
