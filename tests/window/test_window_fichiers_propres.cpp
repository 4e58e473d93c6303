#include "cible_essai.h"
#include "fenetre.h"

#include <QElapsedTimer>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What another user may have put where the program writes its own files.
enum class Intrus { Tube, LienPeripherique, LienFichier, Dossier };

void plante(const QString& chemin, Intrus intrus, const QString& victime) {
    const QByteArray nom = QFile::encodeName(chemin);
    switch (intrus) {
    case Intrus::Tube:
        QCOMPARE(::mkfifo(nom.constData(), 0600), 0);
        break;
    case Intrus::LienPeripherique:
        QCOMPARE(::symlink("/dev/zero", nom.constData()), 0);
        break;
    case Intrus::LienFichier:
        QCOMPARE(::symlink(QFile::encodeName(victime).constData(), nom.constData()), 0);
        break;
    case Intrus::Dossier:
        QVERIFY(QDir().mkdir(chemin));
        break;
    }
}

} // namespace

// Every file the program writes for itself, each replaced by what it must not follow or wait
// on: the action ends at once, the file a link points at is untouched, and one box says so.
class TestFichiersPropres : public QObject {
    Q_OBJECT
  private slots:
    void ni_suivi_ni_attendu_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<int>("intrus");
        QTest::addColumn<int>("texte"); // the box's first text; 0: the action's own report, one beep
        const QList<QPair<QString, int>> fichiers = {{"presse_papier.xls", 105}, {"Lintrace_.xls", 105},
                                                     {".Lintrace_.xls.lock", 106}, {"Lintrac_setup.txt", 77},
                                                     {"~rez_rep.~r", 0}, {"~rez_rep.~f", 0}};
        const QStringList noms = {"pipe", "link to /dev/zero", "link to another file", "folder"};
        for (const auto& [fichier, texte] : fichiers)
            for (int i = 0; i < noms.size(); ++i)
                QTest::addRow("%s, %s", qPrintable(fichier), qPrintable(noms[i])) << fichier << i << texte;
    }
    void ni_suivi_ni_attendu() {
        QFETCH(QString, fichier);
        QFETCH(int, intrus);
        QFETCH(int, texte);
        Session s({"Lintrace_lng.fr.txt", "Lintrace_lng.en.txt", "Lintrace_.xl0"});
        const QString victime = s.chemin("victim.txt");
        aide_test::ecrit_octets(victime, "root's own\n");
        plante(s.chemin(fichier), Intrus(intrus), victime);
        TForm1& f = s.demarre_sur("run.txt", aide_test::CibleEssai{.enregistrements = 2, .arrete = true}.octets());
        f.RadioGroup1->setItemIndex(0);
        s.plateforme->messages.clear();
        QElapsedTimer duree;
        duree.start();
        if (fichier == "presse_papier.xls")
            f.SpeedButton10->click();
        else if (fichier.contains("Lintrace_"))
            f.SpeedButton7->click();
        else if (fichier == "Lintrac_setup.txt")
            f.SpeedButton11->click();
        else {
            s.plateforme->fichiers_enregistres << s.chemin("copy.txt");
            f.SpeedButton4->click();
        }
        QVERIFY(duree.elapsed() < 2000);
        QCOMPARE(s.plateforme->messages.size(), 1);
        QCOMPARE(aide_test::lit_octets(victime), QByteArray("root's own\n"));
        if (texte == 0)
            QCOMPARE(s.plateforme->bips.size(), 1);
        else
            QVERIFY2(s.plateforme->messages.first().startsWith(f.texte_message(texte)),
                     qPrintable(s.plateforme->messages.first()));
        QVERIFY(s.plateforme->documents.isEmpty());
    }
};

QTEST_MAIN(TestFichiersPropres)
#include "test_window_fichiers_propres.moc"
