#include "cible_essai.h"
#include "fenetre.h"

#include "_rez/widgets/lignes_affichees.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/commentaire.h"

#include <QtTest>

namespace {

QByteArray fichier(bool arrete) {
    return aide_test::CibleEssai{.enregistrements = 2, .arrete = arrete, .resume = QStringList{}}.octets();
}

QByteArray bloc(TForm1& f, const QStringList& lignes, Codage codage = Codage::Utf8) {
    return encode_lignes(bloc_commentaire(f.texte_message(50), lignes), codage);
}

QString rapport(TForm1& f, int texte, int lignes) {
    return f.texte_message(texte) + QStringLiteral("  ") + QString::number(lignes) + f.texte_message(26);
}

} // namespace

class TestCommentaire : public QObject {
    Q_OBJECT
private slots:
    void sur_la_cible_un_seul_bloc() {
        Session s;
        const QString cible = s.chemin("run.txt");
        TForm1& f = s.demarre_sur("run.txt", fichier(true));
        QTest::keyClicks(f.Memo3, "first");
        QVERIFY(f.commentaire_modifie);
        s.plateforme->fichiers_enregistres << cible << cible << cible;
        f.SpeedButton4->click();
        QCOMPARE(aide_test::lit_octets(cible), fichier(true) + bloc(f, {"first"}));
        QCOMPARE(s.plateforme->messages, QStringList{rapport(f, 25, 1)});
        QVERIFY(!f.commentaire_modifie);
        const auto& dialogue = s.plateforme->enregistrements.first();
        QCOMPARE(dialogue.titre, f.texte_message(22));
        QCOMPARE(dialogue.nom, cible);
        QCOMPARE(aide_test::lit_octets(s.chemin("~rez_rep.~f")), QByteArray("run.txt\r\n"));
        // Again before the refresh has reloaded the file, then after it.
        f.Memo3->setPlainText(QStringLiteral("second\nthird"));
        f.SpeedButton4->click();
        QCOMPARE(s.plateforme->enregistrements.last().dossier, s.dossier.path() + "/");
        QCOMPARE(aide_test::lit_octets(cible), fichier(true) + bloc(f, {"second", "third"}));
        f.Timer1Timer();
        QCOMPARE(f.Memo3->toPlainText(), QStringLiteral("second\nthird"));
        QCOMPARE(f.lignes_chargees().size(), 6);
        f.SpeedButton4->click();
        QCOMPARE(aide_test::lit_octets(cible), fichier(true) + bloc(f, {"second", "third"}));
        QCOMPARE(s.plateforme->messages.size(), 3);
    }
    void refuse_avant_stopped() {
        Session s;
        const QString cible = s.chemin("run.txt");
        TForm1& f = s.demarre_sur("run.txt", fichier(false));
        QTest::keyClicks(f.Memo3, "early");
        s.plateforme->fichiers_enregistres << cible;
        f.SpeedButton4->click();
        QCOMPARE(s.plateforme->messages, QStringList{f.texte_message(23)});
        QCOMPARE(aide_test::lit_octets(cible), fichier(false));
        QVERIFY(f.commentaire_modifie);
        QCOMPARE(aide_test::lit_octets(s.chemin("~rez_rep.~f")), QByteArray("run.txt\r\n"));
    }
    void autre_fichier_data() {
        QTest::addColumn<bool>("arrete");
        QTest::addColumn<bool>("existe");
        QTest::addColumn<QString>("commentaire");
        QTest::addColumn<int>("lignes");
        QTest::newRow("new file while running") << false << false << "a\nb" << 2;
        QTest::newRow("existing file replaced after Stopped") << true << true << "a" << 1;
        QTest::newRow("empty comment") << false << false << "" << 0;
        QTest::newRow("final line break is no line") << true << false << "a\n" << 1;
        QTest::newRow("wrapped paragraph") << false << false << QString("word ").repeated(40).trimmed() << -1;
    }
    void autre_fichier() {
        QFETCH(bool, arrete);
        QFETCH(bool, existe);
        QFETCH(QString, commentaire);
        QFETCH(int, lignes);
        Session s;
        const QString cible = s.chemin("run.txt");
        const QString copie = s.chemin("copy.txt");
        if (existe)
            aide_test::ecrit_octets(copie, "older content\r\n");
        TForm1& f = s.demarre_sur("run.txt", fichier(arrete));
        f.Memo3->setPlainText(commentaire);
        const QStringList affichees = lignes_affichees(*f.Memo3);
        if (lignes < 0) {
            QVERIFY(affichees.size() > 1);
            QCOMPARE(affichees.join(QString()), commentaire);
            lignes = int(affichees.size());
        }
        QCOMPARE(affichees.size(), lignes);
        s.plateforme->fichiers_enregistres << copie;
        f.SpeedButton4->click();
        QCOMPARE(aide_test::lit_octets(copie), fichier(arrete) + bloc(f, affichees));
        QCOMPARE(aide_test::lit_octets(cible), fichier(arrete));
        QCOMPARE(s.plateforme->messages, QStringList{rapport(f, existe ? 25 : 27, lignes)});
    }
    void cible_changee_depuis_le_chargement() {
        Session s;
        const QString cible = s.chemin("run.txt");
        TForm1& f = s.demarre_sur("run.txt", fichier(true));
        const QByteArray resume = aide_test::CibleEssai{.enregistrements = 2, .arrete = true}.octets();
        aide_test::ecrit_octets(cible, resume); // the writer adds its summary after the load
        QTest::keyClicks(f.Memo3, "note");
        s.plateforme->fichiers_enregistres << cible << cible;
        f.SpeedButton4->click();
        QCOMPARE(s.plateforme->messages, QStringList{f.texte_message(72)});
        QCOMPARE(aide_test::lit_octets(cible), resume);
        QCOMPARE(f.lignes_chargees().constLast(), QStringLiteral("\"n = 2\""));
        QCOMPARE(f.Memo3->toPlainText(), QStringLiteral("note"));
        QVERIFY(f.commentaire_modifie);
        f.SpeedButton4->click();
        QCOMPARE(aide_test::lit_octets(cible), resume + bloc(f, {"note"}));
    }
    // Nothing planted at the logger's path: a logger that refuses a non-empty file would trip on it.
    void cible_disparue() {
        Session s;
        const QString cible = s.chemin("run.txt");
        TForm1& f = s.demarre_sur("run.txt", fichier(true));
        QTest::keyClicks(f.Memo3, "late");
        QVERIFY(QFile::remove(cible));
        s.plateforme->fichiers_enregistres << cible;
        f.SpeedButton4->click();
        QCOMPARE(s.plateforme->messages, QStringList{f.texte_message(105) + "\n" + cible});
        QVERIFY(!QFileInfo::exists(cible));
        QVERIFY(f.commentaire_modifie);
    }
    void latin1_garde_ses_octets() {
        Session s;
        const QString cible = s.chemin("run.txt");
        const QByteArray octets = aide_test::echantillon("latin1.txt");
        TForm1& f = s.demarre_sur("run.txt", octets);
        f.Memo3->setPlainText(QStringLiteral("Öl à 20 °C"));
        s.plateforme->fichiers_enregistres << cible << cible;
        f.SpeedButton4->click();
        const QByteArray apres = octets + bloc(f, {"Öl à 20 °C"}, Codage::Latin1);
        QCOMPARE(aide_test::lit_octets(cible), apres);
        f.Memo3->setPlainText(QStringLiteral("ŝ"));
        QTest::keyClicks(f.Memo3, "x");
        f.SpeedButton4->click();
        QCOMPARE(s.plateforme->messages.last(), f.texte_message(73) + QStringLiteral(" \"ŝ\" (U+015D)"));
        QCOMPARE(aide_test::lit_octets(cible), apres);
        QVERIFY(f.commentaire_modifie);
    }
    void echec_d_ecriture_signale() {
        Session s;
        const QString cible = s.chemin("run.txt");
        TForm1& f = s.demarre_sur("run.txt", fichier(true));
        QTest::keyClicks(f.Memo3, "disk full");
        s.plateforme->fichiers_enregistres << cible;
        {
            aide_test::LimiteTailleFichier limite(fichier(true).size() + 4);
            f.SpeedButton4->click();
        }
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(s.plateforme->messages.first().startsWith(f.texte_message(74) + "\n" + cible + "\n"));
        QCOMPARE(aide_test::lit_octets(cible), fichier(true));
        QVERIFY(f.commentaire_modifie);
    }
    void question_a_la_fermeture_data() {
        QTest::addColumn<bool>("tape");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("choisi"); // null: the save dialog is cancelled
        QTest::addColumn<bool>("ecrit");
        QTest::addColumn<bool>("ferme");
        QTest::newRow("nothing typed, nothing asked") << false << 0 << QString() << false << true;
        QTest::newRow("No") << true << int(QMessageBox::No) << QString() << false << true;
        QTest::newRow("Cancel or Esc: stays open") << true << int(QMessageBox::Cancel) << QString() << false << false;
        QTest::newRow("Yes, dialog cancelled: stays open")
            << true << int(QMessageBox::Yes) << QString() << false << false;
        QTest::newRow("Yes") << true << int(QMessageBox::Yes) << "run.txt" << true << true;
    }
    void question_a_la_fermeture() {
        QFETCH(bool, tape);
        QFETCH(int, reponse);
        QFETCH(QString, choisi);
        QFETCH(bool, ecrit);
        QFETCH(bool, ferme);
        Session s;
        const QString cible = s.chemin("run.txt");
        TForm1& f = s.demarre_sur("run.txt", fichier(true));
        if (tape)
            QTest::keyClicks(f.Memo3, "bye");
        s.plateforme->reponses.push_back(QMessageBox::StandardButton(reponse));
        s.plateforme->fichiers_enregistres << (choisi.isNull() ? QString() : s.chemin(choisi));
        QCOMPARE(f.close(), ferme);
        QCOMPARE(f.isVisible(), !ferme);
        QCOMPARE(f.Memo3->toPlainText(), tape ? "bye" : "");
        const QString question = f.texte_message(29) + "\n\n" + f.texte_message(30) + " ";
        QCOMPARE(s.plateforme->messages.value(0), tape ? question : QString());
        QCOMPARE(s.plateforme->enregistrements.size(), reponse == QMessageBox::Yes ? 1 : 0);
        QCOMPARE(aide_test::lit_octets(cible), ecrit ? fichier(true) + bloc(f, {"bye"}) : fichier(true));
    }
};

QTEST_MAIN(TestCommentaire)
#include "test_window_commentaire.moc"
