#include "cible_essai.h"
#include "fenetre.h"

#include <QElapsedTimer>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

// Every file the program writes for itself, replaced by what it must not follow or wait on:
// the action ends at once, the file a link points at is untouched, one box says so.
class TestFichiersPropres : public QObject {
    Q_OBJECT
  private slots:
    void ni_suivi_ni_attendu_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QByteArray>("intrus"); // a link's target, or "" for a pipe, "/" for a folder
        QTest::addColumn<int>("texte");         // the box's text; 0: the action's own box, one beep
        const QList<QPair<QString, int>> fichiers = {{"presse_papier.xls", 109}, {"Lintrace_.xls", 109},
                                                     {".Lintrace_.xls.lock", 110}, {"Lintrac_setup.txt", 77},
                                                     {"~rez_rep.~r", 0}, {"~rez_rep.~f", 0}};
        for (const auto& [fichier, texte] : fichiers)
            for (const QByteArray intrus : {"", "/dev/zero", "victim.txt", "/"})
                QTest::addRow("%s %s", qPrintable(fichier), intrus.constData()) << fichier << intrus << texte;
    }
    void ni_suivi_ni_attendu() {
        QFETCH(QString, fichier);
        QFETCH(QByteArray, intrus);
        QFETCH(int, texte);
        Session s({"Lintrace_lng.fr.txt", "Lintrace_lng.en.txt", "Lintrace_.xl0"});
        aide_test::ecrit_octets(s.chemin("victim.txt"), "root's own\n");
        const QByteArray nom = QFile::encodeName(s.chemin(fichier));
        QVERIFY(intrus.isEmpty() ? ::mkfifo(nom.constData(), 0600) == 0
                : intrus == "/"  ? QDir().mkdir(s.chemin(fichier))
                                 : ::symlink(intrus.constData(), nom.constData()) == 0);
        TForm1& f = s.demarre_sur("run.txt", aide_test::CibleEssai{.enregistrements = 2, .arrete = true}.octets());
        f.RadioGroup1->setItemIndex(0);
        s.plateforme->messages.clear();
        s.plateforme->fichiers_enregistres << s.chemin("copy.txt");
        QElapsedTimer duree;
        duree.start();
        QPushButton* bouton = fichier == "presse_papier.xls" ? f.SpeedButton10
                              : fichier.contains("Lintrace_") ? f.SpeedButton7
                              : texte == 77                   ? f.SpeedButton11
                                                              : f.SpeedButton4;
        bouton->click();
        QVERIFY(duree.elapsed() < 2000);
        QCOMPARE(s.plateforme->messages.size(), 1);
        QCOMPARE(aide_test::lit_octets(s.chemin("victim.txt")), QByteArray("root's own\n"));
        QVERIFY(texte ? s.plateforme->messages[0].startsWith(f.texte_message(texte)) : s.plateforme->bips.size() == 1);
        QVERIFY(s.plateforme->documents.isEmpty());
    }
};

QTEST_MAIN(TestFichiersPropres)
#include "test_window_fichiers_propres.moc"
