#include "cible_essai.h"
#include "classeur_lu.h"
#include "fenetre.h"
#include "office.h"

#include "util_rez/output/ooxml/classeur_ooxml.h"

#include <QTimer>
#include <QtTest>

namespace {

const QStringList donnees_programme = {"Lintrace_lng.fr.txt", "Lintrace_lng.it.txt", "Lintrace_lng.en.txt",
                                       "Lintrace_lng.de.txt", "ding1.wav",           "ding2.wav",
                                       "Lintrace_.xl0"};

const QByteArray cible_type =
    aide_test::CibleEssai{.titre = "Bench 3 - run 7",
                          .operateur = "Operator: JM",
                          .noms = "Runtime T1 T2 P F L C",
                          .donnees = {"0.5 20.1 21.3 1013.25 0.047 45 -3",
                                      "1.0 20.2 21.4 1013.5 0.0000123 46 123456789012345678"},
                          .arrete = true}
        .octets();

using Attendu = QMap<QPair<int, int>, QString>;

// The texts of the sheet the export of cible_type leaves, with the comment "first" /
// "second, with a comma".
Attendu feuille_attendue(const TForm1& f) {
    Attendu a;
    a[{1, 1}] = "Bench 3 - run 7";
    a[{2, 1}] = "Operator: JM";
    const QStringList k = {"Stopped", "Count Summary", "n = 2", "first", "second, with a comma"};
    for (int r = 0; r < k.size(); ++r)
        a[{r + 1, 11}] = k[r];
    a[{6, 1}] = "Runtime";
    for (int c = 1; c <= 8; ++c)
        a[{6, c + 1}] = f.cases_courbes[c]->text();
    a[{1, 9}] = "2";
    return a;
}

// Its record cells: numbers, whatever the decimal-mark setting.
QMap<QPair<int, int>, double> nombres_attendus() {
    const QList<QList<double>> rangs = {{0.5, 20.1, 21.3, 1013.25, 0.047, 45, -3, -3.047, -24.3},
                                        {1, 20.2, 21.4, 1013.5, 1.23e-5, 46, 1.23456789012345678e17,
                                         1.23456789012345678e17, 1.23456789012345678e17}};
    QMap<QPair<int, int>, double> n;
    for (int r = 0; r < rangs.size(); ++r)
        for (int c = 0; c < 9; ++c)
            n[{7 + r, c + 1}] = rangs[r][c];
    return n;
}

TForm1& demarre_sur_cible(Session& s, int choix, std::function<void(PlateformeTest&)> prepare = {}) {
    aide_test::ecrit_octets(s.chemin("run.txt"), cible_type);
    TForm1& f = s.demarre({s.chemin("run.txt")}, std::move(prepare));
    f.Memo3->setPlainText(QStringLiteral("first\nsecond, with a comma"));
    f.Edit4->setText(QStringLiteral(","));
    f.RadioGroup1->setItemIndex(choix);
    return f;
}

QString question_attendue(const TForm1& f, const QString& classeur) {
    return f.texte_message(37) + "  " + classeur + f.texte_message(38) + "    \n\n" + f.texte_message(39);
}

// A workbook left by an earlier export, with a cell the next export does not reach.
void classeur_ancien(const QString& chemin) {
    ClasseurOoxml c(QStringLiteral(LINTRACE_BIN_DIR "/Lintrace_.xl0"));
    c.ecrit(1, 1, QStringLiteral("old title"));
    c.ecrit(20, 11, QStringLiteral("old note"));
    QString raison;
    QVERIFY2(c.enregistre(chemin, raison), qPrintable(raison));
}

QMap<QString, aide_test::CelluleLue> cellules(const QString& classeur) {
    return aide_test::cellules_feuille(aide_test::partie_zip(classeur, "xl/worksheets/sheet1.xml"));
}

} // namespace

class TestTableur : public QObject {
    Q_OBJECT
    aide_test::ProfilOffice profil;

  private slots:
    void initTestCase() { profil.pour_ce_processus(); }

    void modele_absent_data() {
        QTest::addColumn<int>("choix");
        QTest::newRow("Excel") << 0;
        QTest::newRow("Openoffice") << 1;
    }
    void modele_absent() {
        QFETCH(int, choix);
        Session s; // no template beside the program
        TForm1& f = demarre_sur_cible(s, choix);
        f.SpeedButton7->click();
        QCOMPARE(s.plateforme->messages, QStringList{f.texte_message(40) + s.dossier.path() +
                                                     "/Lintrace_.xl0 > " + f.texte_message(41)});
        QVERIFY(s.plateforme->documents.isEmpty());
        QVERIFY(s.plateforme->curseurs.isEmpty());
        QVERIFY(!f.tableur_uno()); // no application started
        QVERIFY(!QFileInfo::exists(s.chemin("Lintrace_.xls")));
    }
    void classeur_existant_data() {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("a1");
        QTest::addColumn<QString>("k20");
        QTest::newRow("Yes: a fresh copy") << int(QMessageBox::Yes) << "Bench 3 - run 7"
                                           << "";
        QTest::newRow("No: written over the old cells") << int(QMessageBox::No) << "Bench 3 - run 7"
                                                        << "old note";
        QTest::newRow("Cancel: nothing changes") << int(QMessageBox::Cancel) << "old title"
                                                 << "old note";
    }
    void classeur_existant() {
        QFETCH(int, reponse);
        QFETCH(QString, a1);
        QFETCH(QString, k20);
        Session s(donnees_programme);
        const QString classeur = s.chemin("Lintrace_.xls");
        classeur_ancien(classeur);
        TForm1& f = demarre_sur_cible(
            s, 0, [&](PlateformeTest& p) { p.reponses.push_back(QMessageBox::StandardButton(reponse)); });
        f.SpeedButton7->click();
        QCOMPARE(s.plateforme->messages, QStringList{question_attendue(f, classeur)});
        const auto c = cellules(classeur);
        QCOMPARE(c.value("A1").texte, a1);
        QCOMPARE(c.value("K20").texte, k20);
        QCOMPARE(c.value("A1").style, QStringLiteral("1"));
        if (reponse == QMessageBox::Cancel) {
            QVERIFY(s.plateforme->documents.isEmpty());
            QVERIFY(s.plateforme->curseurs.isEmpty());
        } else {
            QCOMPARE(s.plateforme->documents, QStringList{classeur});
            QCOMPARE(c.value("A8").texte, QStringLiteral("1"));
        }
    }
    // A folder where the workbook goes is refused at once, like any other file in its place.
    void dossier_a_la_place_du_classeur() {
        Session s(donnees_programme);
        const QString classeur = s.chemin("Lintrace_.xls");
        QVERIFY(QDir(s.dossier.path()).mkdir("Lintrace_.xls"));
        const QByteArray modele = aide_test::lit_octets(s.chemin("Lintrace_.xl0"));
        TForm1& f = demarre_sur_cible(s, 0);
        f.SpeedButton7->click();
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(s.plateforme->messages[0].startsWith(f.texte_message(109) + "\n" + classeur + "\n"));
        QCOMPARE(aide_test::lit_octets(s.chemin("Lintrace_.xl0")), modele);
        QVERIFY(s.plateforme->documents.isEmpty());
    }
    void modele_qui_n_est_pas_un_classeur_data() {
        QTest::addColumn<int>("choix");
        QTest::newRow("Excel") << 0;
        QTest::newRow("Openoffice") << 1;
    }
    void modele_qui_n_est_pas_un_classeur() {
        QFETCH(int, choix);
        Session s(donnees_programme);
        aide_test::ecrit_octets(s.chemin("Lintrace_.xl0"), "\"not\"\r\n\"a workbook\"\r\n");
        TForm1& f = demarre_sur_cible(s, choix);
        f.SpeedButton7->click();
        QCOMPARE(s.plateforme->messages, QStringList{f.texte_message(82) + " " + s.chemin("Lintrace_.xls")});
        QVERIFY(s.plateforme->documents.isEmpty());
        QCOMPARE(s.plateforme->curseurs, (QList<bool>{true, false}));
        QVERIFY(!f.note_travail->isVisible());
        QVERIFY(!QFileInfo::exists(s.chemin(".Lintrace_.xls.lock"))); // another session may go on
    }
    void aucune_application_pour_le_classeur() {
        Session s(donnees_programme);
        TForm1& f = demarre_sur_cible(s, 0, [](PlateformeTest& p) { p.application_presente = false; });
        f.SpeedButton7->click();
        QCOMPARE(s.plateforme->messages, QStringList{f.texte_message(84) + " " + s.chemin("Lintrace_.xls")});
        QCOMPARE(cellules(s.chemin("Lintrace_.xls")).value("A1").texte, QStringLiteral("Bench 3 - run 7"));
    }
    void aller_retour_excel() {
        Session s(donnees_programme);
        TForm1& f = demarre_sur_cible(s, 0);
        f.SpeedButton7->click();
        QVERIFY2(s.plateforme->messages.isEmpty(), qPrintable(s.plateforme->messages.join('\n')));
        QCOMPARE(s.plateforme->documents, QStringList{s.chemin("Lintrace_.xls")});
        QCOMPARE(s.plateforme->curseurs, (QList<bool>{true, false}));
        const QString d = aide_test::difference(aide_test::feuille_par_office(s.chemin("Lintrace_.xls")),
                                                feuille_attendue(f), nombres_attendus());
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }
    // Stopped from the note between two calls: what was written stays, and the message says how much.
    void remplissage_arrete() {
        Session s(donnees_programme);
        aide_test::ecrit_octets(s.chemin("run.txt"),
                                aide_test::CibleEssai{.enregistrements = 25000}.octets());
        TForm1& f = s.demarre({s.chemin("run.txt")});
        f.RadioGroup1->setItemIndex(0);
        QTimer::singleShot(0, &f, [&f] { f.findChild<QPushButton*>("arret_travail")->click(); });
        f.SpeedButton7->click();
        QCOMPARE(s.plateforme->messages, QStringList{f.texte_message(123) + " 10000"});
        const auto c = cellules(s.chemin("Lintrace_.xls"));
        QVERIFY(c.contains("A10006") && !c.contains("A10007"));
        QVERIFY(!f.note_travail->isVisible());
    }
    void aller_retour_openoffice() {
        Session s(donnees_programme);
        TForm1& f = demarre_sur_cible(s, 1);
        int tics = 0, note_vue = 0, appuis_ignores = 0;
        QTimer minuteur;
        connect(&minuteur, &QTimer::timeout, this, [&] {
            ++tics;
            note_vue += f.note_travail && f.note_travail->isVisible();
            if (tics == 2) {
                f.SpeedButton7->click(); // pressed again while the office works: ignored
                appuis_ignores += s.plateforme->messages.isEmpty();
            }
        });
        minuteur.start(20);
        f.SpeedButton7->click();
        minuteur.stop();
        QVERIFY2(s.plateforme->messages.isEmpty(), qPrintable(s.plateforme->messages.join('\n')));
        QVERIFY2(tics >= 5, qPrintable(QString::number(tics))); // the window's event loop went on
        QVERIFY(note_vue >= 1);
        QCOMPARE(appuis_ignores, 1);
        QVERIFY(!f.note_travail->isVisible());
        QCOMPARE(s.plateforme->curseurs, (QList<bool>{true, false}));
        QVERIFY(s.plateforme->documents.isEmpty()); // the office shows it itself
        const QString ods = s.chemin("stored.ods");
        f.tableur_uno()->enregistre_copie(ods);
        f.tableur_uno()->ferme_document();
        const QString d = aide_test::difference(aide_test::feuille_par_office(ods), feuille_attendue(f),
                                                nombres_attendus());
        QVERIFY2(d.isEmpty(), qPrintable(d));
        f.tableur_uno()->arrete_office();
    }
    void office_qui_ne_demarre_pas() {
        Session s(donnees_programme);
        TForm1& f = demarre_sur_cible(s, 1);
        qputenv("UNO_PATH", s.chemin("nowhere").toUtf8());
        f.SpeedButton7->click();
        qunsetenv("UNO_PATH");
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(s.plateforme->messages.first().startsWith(f.texte_message(79) + " "));
        QVERIFY(s.plateforme->messages.first().size() > f.texte_message(79).size() + 1); // with the reason
        QCOMPARE(s.plateforme->curseurs, (QList<bool>{true, false}));
        QVERIFY(f.Timer1->isActive()); // the window goes on following its file
        QCOMPARE(cellules(s.chemin("Lintrace_.xls")).value("A6").style,
                 QStringLiteral("2")); // the copy is there
    }
    void cleanupTestCase() { profil.attend_la_fin(20000); }
};

QTEST_MAIN(TestTableur)
#include "test_window_tableur.moc"
