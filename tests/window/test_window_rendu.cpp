#include "fenetre.h"
#include "rendu.h"

#include <QtTest>

using aide_test::run_essai;

namespace {

// The window's plot picture and the renderer's, side by side in one program folder.
struct Paire {
    QImage fenetre;
    QImage rendu;
    aide_test::Resultat resultat;
};

Paire compare(const QByteArray& contenu, const QByteArray& setup, QSize taille, const QList<int>& decochees,
              const QStringList& options) {
    Session s;
    if (!setup.isEmpty()) aide_test::ecrit_octets(s.chemin("Lintrac_setup.txt"), setup);
    const QString cible = s.chemin("run.txt");
    aide_test::ecrit_octets(cible, contenu);
    TForm1& f = s.demarre({cible});
    if (taille.isValid()) f.ScrollBox1->resize(taille + QSize(10, 10));
    for (int k : decochees)
        f.cases_courbes[k]->setChecked(!f.cases_courbes[k]->isChecked());
    if (const qsizetype w = options.indexOf("--window"); w >= 0) {
        f.Edit9->setText(options[w + 1]);
        f.fenetre_CheckBox9->setChecked(true);
    }
    const QString programme = aide_test::installe_rendu(s.dossier.path());
    Paire r;
    r.fenetre = f.Image1->Picture().convertToFormat(QImage::Format_RGB32);
    r.resultat = aide_test::lance_rendu(programme, QStringList{cible, s.chemin("out.png")} + options,
                                        s.dossier.path());
    r.rendu = QImage(s.chemin("out.png")).convertToFormat(QImage::Format_RGB32);
    return r;
}

} // namespace

class TestRenduFenetre : public QObject {
    Q_OBJECT
  private slots:
    void meme_image_que_la_fenetre_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>("setup");
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<QList<int>>("basculees"); // curve boxes clicked in the window
        QTest::addColumn<QStringList>("options");
        const QByteArray run = run_essai(600, 0).octets();
        QTest::newRow("normal run, default size")
            << run << QByteArray() << QSize() << QList<int>() << QStringList();
        QTest::newRow("negatives") << run_essai(800, -60).octets() << QByteArray() << QSize(700, 500)
                                   << QList<int>() << QStringList{"--size", "700x500"};
        QTest::newRow("window on the latest data")
            << run << QByteArray() << QSize() << QList<int>() << QStringList{"--window", "20"};
        QTest::newRow("header lines only: initial scales")
            << aide_test::CibleEssai{.titre = "h1", .operateur = "h2"}.octets() << QByteArray() << QSize()
            << QList<int>() << QStringList();
        QTest::newRow("over capacity")
            << run_essai(5150, 20).octets() << QByteArray() << QSize() << QList<int>() << QStringList();
        aide_test::CibleEssai en_cours = run_essai(300, 0);
        en_cours.arrete = false;
        QTest::newRow("comment block cut")
            << en_cours.octets() + "\r\n  Comment \r\n\"4 900 900 900 900 900 900\"\r\n"
            << QByteArray() << QSize() << QList<int>() << QStringList();
        en_cours.inachevee = QStringLiteral("4 900");
        QTest::newRow("unfinished last line held back")
            << en_cours.octets() << QByteArray() << QSize() << QList<int>() << QStringList();
        QTest::newRow("thickness of the setup file, chosen curves")
            << run << QByteArray("5\r\n1\r\n4\r\n,\r\nID1\r\nID3\r\nFALSE\r\n0\r\n0\r\n0\r\n")
            << QSize(1600, 900) << QList<int>{3, 7, 8}
            << QStringList{"--size", "1600x900", "--curves", "1,2,4,5,6,8"};
        // x full scale rounds to 0: the note in the language of the setup file instead of the plot
        QTest::newRow("full scale 0, German note")
            << aide_test::CibleEssai{.titre = "h",
                                     .operateur = "h",
                                     .noms = "t a b c d e f",
                                     .donnees = {"0.1 1 2 3 4 5 6", "0.3 2 3 4 5 6 7"}}
                   .octets()
            << QByteArray("5\r\n3\r\n2\r\n,\r\nID1\r\nID3\r\nFALSE\r\n0\r\n0\r\n0\r\n") << QSize()
            << QList<int>() << QStringList();
    }
    void meme_image_que_la_fenetre() {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, setup);
        QFETCH(QSize, taille);
        QFETCH(QList<int>, basculees);
        QFETCH(QStringList, options);
        const Paire p = compare(contenu, setup, taille, basculees, options);
        QCOMPARE(p.resultat.statut, 0);
        QVERIFY(!p.rendu.isNull());
        QCOMPARE(p.rendu.size(), p.fenetre.size());
        QVERIFY(p.rendu == p.fenetre);
    }
};

QTEST_MAIN(TestRenduFenetre)
#include "test_window_rendu.moc"
