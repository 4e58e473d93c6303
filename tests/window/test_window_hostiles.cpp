#include "cible_essai.h"
#include "fenetre.h"

#include "util_rez/config/langue.h"
#include "util_rez/config/setup.h"
#include "util_rez/files/fichier_cible.h"
#include "util_rez/files/fichier_texte.h"

#include <QScrollBar>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray fichier(int n, double pas = 0.5, double y = 10) {
    return aide_test::CibleEssai{.titre = "Bench",
                                 .operateur = "Op",
                                 .enregistrements = n,
                                 .pas = pas,
                                 .valeur = [y](int k, int c) { return c == 2 ? y + k : c - 1; }}
        .octets();
}

void tic(TForm1& f) {
    f.Timer1Timer();
}

bool fait_tube(const QString& chemin) {
    return ::mkfifo(QFile::encodeName(chemin).constData(), 0600) == 0;
}

int pixels_de(const QImage& im, QColor c) {
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            n += im.pixelColor(x, y) == c;
    return n;
}

} // namespace

// The window given what no logger writes: pipes, devices, folders, odd names, huge and empty
// files; and the faults found by probing it, each with the sound behaviour it has now.
class TestWindowHostiles : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { ::alarm(110); } // a window held by a pipe fails here, not at ctest's limit

    // Named on the command line, anything but a regular file is a file that cannot be opened:
    // one clear message, a window that starts, and a quiet refresh afterwards.
    void cible_qui_n_est_pas_un_fichier_data() {
        QTest::addColumn<QString>("sorte");
        QTest::addColumn<QString>("raison");
        QTest::newRow("pipe without a writer") << "pipe"
                                               << "Not a regular file";
        QTest::newRow("link to /dev/zero") << "device"
                                           << "Not a regular file";
        QTest::newRow("folder") << "folder"
                                << "Is a directory";
    }
    void cible_qui_n_est_pas_un_fichier() {
        QFETCH(QString, sorte);
        QFETCH(QString, raison);
        Session s;
        const QString cible = s.chemin("run.txt");
        if (sorte == u"pipe") QVERIFY(fait_tube(cible));
        if (sorte == u"device") QVERIFY(QFile::link(QStringLiteral("/dev/zero"), cible));
        if (sorte == u"folder") QVERIFY(QDir(s.dossier.path()).mkdir("run.txt"));
        TForm1& f = s.demarre({cible});
        QCOMPARE(s.plateforme->messages,
                 QStringList{QStringLiteral("Cannot open file \"%1\". %2").arg(cible, raison)});
        QCOMPARE(f.taille_cible, -1);
        QCOMPARE(f.nb_enreg, 0);
        tic(f);
        tic(f);
        QCOMPARE(s.plateforme->messages.size(), 1);
    }

    // Swapped in while the window follows its file: one message, then the file as it comes back.
    void tube_mis_a_la_place_puis_fichier_rendu() {
        Session s;
        const QString cible = s.chemin("run.txt");
        aide_test::ecrit_octets(cible, fichier(3));
        TForm1& f = s.demarre({cible});
        tic(f);
        QCOMPARE(f.nb_enreg, 3);
        QVERIFY(QFile::rename(cible, s.chemin("aside.txt")));
        QVERIFY(fait_tube(cible));
        tic(f);
        tic(f);
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(s.plateforme->messages.first().contains(QStringLiteral("Not a regular file")));
        QVERIFY(QFile::remove(cible));
        aide_test::ecrit_octets(cible, fichier(5));
        tic(f);
        QCOMPARE(f.nb_enreg, 5);
        QCOMPARE(s.plateforme->messages.size(), 1);
    }

    // An empty setup file stops the setup at its second line; the first tick comes while that
    // message is open and must not open its own on top of it.
    void une_seule_boite_au_demarrage() {
        Session s;
        aide_test::ecrit_octets(s.chemin(nom_fichier_setup), "");
        int ouvertes = 0, au_plus = 0;
        TForm1& f = s.demarre({}, [&](PlateformeTest& p) {
            p.pendant_message = [&] {
                au_plus = std::max(au_plus, ++ouvertes);
                QTest::qWait(1300); // the first tick is due after one second
                --ouvertes;
            };
        });
        QCOMPARE(s.plateforme->messages, QStringList{"'' is not a valid integer value."});
        QCOMPARE(au_plus, 1);
        s.plateforme->pendant_message = nullptr;
        tic(f); // after start-up the empty period is reported, in the session's language
        QCOMPARE(s.plateforme->messages.size(), 2);
        QVERIFY(s.plateforme->messages.last().endsWith(f.texte_message(70)));
        QVERIFY(!s.plateforme->messages.last().contains(QStringLiteral("ww(")));
    }

    // A rewrite of the same size within the same two-second stamp is seen by the file's full
    // modification time; a replacement by rename by the file behind the name.
    void reecriture_de_meme_taille_vue_data() {
        QTest::addColumn<bool>("par_renommage");
        QTest::newRow("in place") << false;
        QTest::newRow("replaced by rename") << true;
    }
    void reecriture_de_meme_taille_vue() {
        QFETCH(bool, par_renommage);
        Session s;
        const QString cible = s.chemin("run.txt");
        const auto fixe_date = [&](long ns) {
            const timespec t[2] = {{1700000000, ns}, {1700000000, ns}};
            return ::utimensat(AT_FDCWD, QFile::encodeName(cible).constData(), t, 0) == 0;
        };
        aide_test::ecrit_octets(cible, fichier(2, 0.5, 10));
        QVERIFY(fixe_date(1000));
        TForm1& f = s.demarre({cible});
        tic(f);
        QCOMPARE(double(f.max_y), 11.0);
        const int chargements = f.nb_chargements;
        tic(f);
        QCOMPARE(f.nb_chargements, chargements);
        if (par_renommage) {
            aide_test::ecrit_octets(s.chemin("new.txt"), fichier(2, 0.5, 20));
            QVERIFY(QFile::remove(cible) && QFile::rename(s.chemin("new.txt"), cible));
            QVERIFY(fixe_date(1000));
        } else {
            aide_test::ecrit_octets(cible, fichier(2, 0.5, 20));
            QVERIFY(fixe_date(2000));
        }
        QCOMPARE(f.taille_cible, taille_fichier(cible));
        QCOMPARE(f.age_cible, age_fichier(cible));
        tic(f);
        QCOMPARE(f.nb_chargements, chargements + 1);
        QCOMPARE(double(f.max_y), 21.0);
    }

    // A writer that drops its leading zeros loses those records: the count says so, in red,
    // and its hint says how many and how to write them.
    void temps_de_5_a_9_signales() {
        Session s;
        TForm1& f = s.demarre_sur("run.txt", fichier(2) + "\"5.00 1 2 3 4 5 6\"\r\n\"9.5 1\"\r\n");
        QCOMPARE(f.nb_enreg, 2);
        QCOMPARE(f.Label6->text(), QStringLiteral("2"));
        QCOMPARE(f.Label6->toolTip(), f.texte_message(100) + QStringLiteral(" 2")); // lines skipped
        QVERIFY(!f.texte_message(87).startsWith(QStringLiteral("ww(")));
        QCOMPARE(f.Label6->palette().color(QPalette::WindowText), QColor(Qt::red));
        aide_test::ecrit_octets(s.chemin("run.txt"), fichier(3));
        tic(f);
        QCOMPARE(f.Label6->toolTip(), QString());
        QVERIFY(f.Label6->palette().color(QPalette::WindowText) != QColor(Qt::red));
    }

    // A run whose largest time stays below 0.45 gets the smallest full scale, not 0, and its
    // curves are drawn.
    void course_breve_tracee() {
        Session s;
        TForm1& f = s.demarre_sur("run.txt", fichier(4, 0.1));
        QCOMPARE(f.Edit1->text(), QStringLiteral("5"));
        QVERIFY(pixels_de(f.Image1->Picture(), f.couleurs_courbes[1]) > 0);
    }

    // A thickness of 1000 draws as 50.
    void epaisseur_demesuree() {
        Session s;
        TForm1& f = s.demarre_sur("run.txt", fichier(50));
        f.Edit3->setText(QStringLiteral("50"));
        f.trace_graphe(QLatin1Char('E'));
        const QImage cinquante = f.Image1->Picture();
        f.Edit3->setText(QStringLiteral("1000"));
        f.trace_graphe(QLatin1Char('E'));
        QCOMPARE(f.Image1->Picture(), cinquante);
    }

    // Names with blanks, quotes, a leading dash and letters beyond ASCII load as any other.
    void chemins_etranges_data() {
        QTest::addColumn<QString>("nom");
        for (const char* n :
             {"run 7 .txt", "\"quoted\" 'run'.txt", "-reverse", "-style", "Température °C.txt"})
            QTest::newRow(n) << QString::fromUtf8(n);
    }
    void chemins_etranges() {
        QFETCH(QString, nom);
        Session s;
        TForm1& f = s.demarre_sur(nom, fichier(3));
        QVERIFY(s.plateforme->messages.isEmpty());
        QCOMPARE(f.nb_enreg, 3);
        QCOMPARE(f.chemin_cible, s.chemin(nom));
    }

    // A 10 MB line in the text view and on the labels: shown, scrolled and painted without a
    // picture of its whole width.
    void ligne_de_10_mo() {
        Session s;
        const QString longue(10 << 20, u'x');
        const aide_test::CibleEssai cible{
            .titre = longue, .operateur = "Op", .noms = "Runtime A", .enregistrements = 2};
        TForm1& f = s.demarre_sur("run.txt", cible.octets() + '"' + longue.toLatin1() + "\"\r\n");
        QCOMPARE(f.nb_enreg, 2);
        QCOMPARE(f.Label3->text().size(), 10 << 20);
        f.Memo1->horizontalScrollBar()->setValue(f.Memo1->horizontalScrollBar()->maximum());
        QVERIFY(!f.Memo1->grab().isNull());
        QVERIFY(!f.grab().isNull());
    }

    // The language files grown by 100 000 entries: the table is the master's, every text found.
    void langue_de_100000_entrees() {
        Session s({"Lintrace_lng.fr.txt", "ding1.wav", "ding2.wav"});
        QByteArray fr = aide_test::lit_octets(s.chemin("Lintrace_lng.fr.txt"));
        const qsizetype livrees =
            entrees_langue(lit_fichier_texte(s.chemin("Lintrace_lng.fr.txt")).lignes, false).size();
        QByteArray en;
        for (int i = 1; i <= 100000; ++i) {
            en += QByteArray::number(i) + " en " + QByteArray::number(i) + "\r\n";
            fr += "9 fr\r\n";
        }
        aide_test::ecrit_octets(s.chemin("Lintrace_lng.fr.txt"), fr);
        aide_test::ecrit_octets(s.chemin("Lintrace_lng.en.txt"), en);
        TForm1& f = s.demarre();
        QVERIFY(s.plateforme->messages.isEmpty());
        QCOMPARE(f.SpeedButton1->text(), QStringLiteral("en 1"));
        QCOMPARE(f.langue.lignes().size(), 1 + livrees + 100000);
        QCOMPARE(f.texte_message(100000), QStringLiteral("en 100000"));
        QCOMPARE(f.texte_message(int(livrees) + 100000), QStringLiteral("fr"));
    }
};

QTEST_MAIN(TestWindowHostiles)
#include "test_window_hostiles.moc"
