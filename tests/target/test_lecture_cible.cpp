#include "cible_essai.h"
#include "helpers.h"
#include "util_rez/base/erreur.h"
#include "util_rez/target/lecture_cible.h"
#include "util_rez/target/remplit_tableau.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cstring>
#include <memory>

namespace {

const QString marque = QStringLiteral("Comment");
const QString chemin = QStringLiteral("/runs/run.txt");

// What a logger writes over a whole run, in the order it writes it: now and then a remark
// between records, and a break that is LF alone.
QByteArray flot_d_ecrivain(QRandomGenerator& gen, int enregistrements, bool latin1) {
    const aide_test::CibleEssai cible{
        .titre = QStringLiteral("Température bench 3 - run %1").arg(gen.bounded(100)),
        .enregistrements = enregistrements,
        .valeur = [&gen](int, int) { return gen.bounded(200.0) - 20; },
        .decimales = 2,
        .arrete = true,
        .latin1 = latin1};
    QByteArray o;
    for (const QByteArray& ligne : cible.octets().split('\n')) {
        if (ligne.isEmpty()) continue;
        const bool enregistrement = ligne.startsWith("\"0");
        if (enregistrement && gen.bounded(40) == 0) o += "' a remark between records\r\n";
        o += ligne.chopped(1) + (enregistrement && gen.bounded(30) == 0 ? "\n" : "\r\n");
    }
    return o;
}

struct Chargement {
    LectureCible lecture;
    std::unique_ptr<Tableau> tableau = std::make_unique<Tableau>();
};

// The way the window follows the file: the appended bytes when the file begins with the
// last load's, the whole file otherwise.
bool suit(Chargement& c, const QByteArray& contenu) {
    const QByteArray& avant = c.lecture.octets();
    if (c.lecture.suit(chemin, marque) && contenu.startsWith(avant) &&
        c.lecture.ajoute(contenu.sliced(avant.size()), marque, *c.tableau))
        return true;
    c.lecture.charge(chemin, contenu, marque, *c.tableau);
    return false;
}

void compare(const Chargement& suivi, const QByteArray& contenu) {
    Chargement entier;
    entier.lecture.charge(chemin, contenu, marque, *entier.tableau);
    const LectureCible& a = suivi.lecture;
    const LectureCible& b = entier.lecture;
    QCOMPARE(a.octets(), b.octets());
    QCOMPARE(a.codage(), b.codage());
    QCOMPARE(a.lignes().mid(0), b.lignes().mid(0));
    QCOMPARE(a.derniere_retenue(), b.derniere_retenue());
    QCOMPARE(a.commentaire(), b.commentaire());
    const ResultatParse& p = a.parse();
    const ResultatParse& q = b.parse();
    QCOMPARE(p.nb_enreg, q.nb_enreg);
    QVERIFY(p.max_x == q.max_x && p.max_y == q.max_y);
    QCOMPARE(p.arrete, q.arrete);
    QCOMPARE(p.noms_lus, q.noms_lus);
    QCOMPARE(p.noms, q.noms);
    QCOMPARE(p.enreg_ecartes, q.enreg_ecartes);
    QCOMPARE(suivi.tableau->taille(), p.nb_enreg);
    for (int c = 1; c <= nb_colonnes_lues; ++c)
        QVERIFY(std::memcmp(suivi.tableau->colonne(c) + 1, entier.tableau->colonne(c) + 1,
                            sizeof(double) * size_t(p.nb_enreg)) == 0);
}

} // namespace

class TestLectureCible : public QObject {
    Q_OBJECT
  private slots:
    void ecrivain_suivi_data() {
        QTest::addColumn<bool>("latin1");
        QTest::addColumn<int>("graine");
        for (int graine : {1, 2, 3}) {
            QTest::addRow("utf-8 %d", graine) << false << graine;
            QTest::addRow("latin-1 %d", graine) << true << graine;
        }
    }
    // A writer's whole run taken in pieces that cut lines, line breaks and characters in two,
    // with truncations, rewrites, an edit in place and a comment block on the way: after each
    // piece the followed load equals the whole file loaded anew.
    void ecrivain_suivi() {
        QFETCH(bool, latin1);
        QFETCH(int, graine);
        QRandomGenerator gen(graine);
        QByteArray flot = flot_d_ecrivain(gen, 300, latin1);
        QByteArray contenu;
        Chargement suivi;
        int ajouts = 0;
        int etapes = 0;
        while ((contenu.size() < flot.size() || etapes < 400) && etapes < 3000) {
            const int choix = gen.bounded(100);
            if (choix < 2) {
                contenu.truncate(gen.bounded(int(contenu.size()) + 1));
            } else if (choix < 4) {
                flot = flot_d_ecrivain(gen, 300, latin1);
                contenu = flot.left(gen.bounded(int(flot.size())));
            } else if (choix < 5 && contenu.size() > 10) {
                contenu[gen.bounded(int(contenu.size()))] = '7';
            } else if (choix < 6) {
                contenu += "\r\n    " + marque.toLatin1() + "\r\nfine run\r\n";
            } else if (contenu.size() < flot.size() && flot.startsWith(contenu)) {
                contenu += flot.mid(contenu.size(), gen.bounded(1, 120));
            } else {
                contenu += flot.mid(std::min(contenu.size(), flot.size()), gen.bounded(1, 120));
            }
            ajouts += suit(suivi, contenu);
            compare(suivi, contenu);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("differs at step %1").arg(etapes)));
            ++etapes;
        }
        QVERIFY2(ajouts > etapes / 2, qPrintable(QStringLiteral("%1 of %2").arg(ajouts).arg(etapes)));
    }

    // Past 5000 records, append by append gives one whole load.
    void au_dela_de_5000() {
        QRandomGenerator gen(9);
        const QByteArray flot = flot_d_ecrivain(gen, 5040, false);
        Chargement suivi;
        QByteArray contenu;
        for (qsizetype pas = 9000; contenu.size() < flot.size(); pas = 700) {
            contenu = flot.left(contenu.size() + pas);
            suit(suivi, contenu);
        }
        compare(suivi, contenu);
        QCOMPARE(suivi.lecture.parse().nb_enreg, 5040);
    }

    // Once a block was cut, or the heading to look for is another one, the next load is whole.
    void reprise_refusee() {
        Chargement c;
        c.lecture.charge(chemin, aide_test::echantillon("fini.txt"), marque, *c.tableau);
        QVERIFY(c.lecture.suit(chemin, marque));
        QVERIFY(!c.lecture.suit(chemin, QStringLiteral("Kommentar")));
        QVERIFY(!c.lecture.suit(QStringLiteral("/runs/other.txt"), marque));
        QVERIFY(!c.lecture.ajoute("\r\n  Comment\r\nx\r\n", marque, *c.tableau));
        QCOMPARE(c.lecture.lignes().size(), 11);
        c.lecture.charge(chemin, aide_test::echantillon("commentaire.txt"), marque, *c.tableau);
        QCOMPARE(c.lecture.commentaire(), (QStringList{"first line", "second line"}));
        QVERIFY(!c.lecture.suit(chemin, marque));
    }

    // Caught between the two bytes of an "é", the load keeps the file's UTF-8 header as it is,
    // and the record finished later reads as a whole load of the file reads it.
    void demi_caractere_garde_l_utf8() {
        const QByteArray debut = "\"Temp\xC3\xA9rature\"\r\n\"Op\"\r\n\"Runtime A\"\r\n\"00000.0 1\"\r\n";
        Chargement c;
        c.lecture.charge(chemin, debut + "\"00000.5 2 \xC3", marque, *c.tableau);
        QCOMPARE(c.lecture.codage(), Codage::Utf8);
        QCOMPARE(c.lecture.lignes().value(0), QStringLiteral("\"Température\""));
        QVERIFY(c.lecture.derniere_retenue());
        const QByteArray fini = debut + "\"00000.5 2 \xC3\xA9\"\r\n";
        QVERIFY(c.lecture.ajoute("\xA9\"\r\n", marque, *c.tableau));
        compare(c, fini);
        QCOMPARE(c.lecture.parse().nb_enreg, 2);
        // A Latin-1 byte in a line that is complete, break or not, makes the whole file Latin-1.
        QVERIFY(!c.lecture.ajoute("\"00001.0 \xE9\"", marque, *c.tableau));
        c.lecture.charge(chemin, fini + "\"00001.0 \xE9\"", marque, *c.tableau);
        QCOMPARE(c.lecture.codage(), Codage::Latin1);
    }

    // Lines like records but for a run time from 5 to 9 are counted, wherever they are read from.
    void enregistrements_ecartes() {
        const QByteArray contenu =
            "\"h\"\r\n\"h\"\r\n\"R A\"\r\n\"00000.0 1\"\r\n\"5.00 2\"\r\n\"9 3\"\r\n\"4 4\"\r\n";
        Chargement c;
        c.lecture.charge(chemin, contenu.first(30), marque, *c.tableau);
        QVERIFY(c.lecture.ajoute(contenu.sliced(30), marque, *c.tableau));
        compare(c, contenu);
        QCOMPARE(c.lecture.parse().nb_enreg, 2);
        QCOMPARE(c.lecture.parse().enreg_ecartes, 2);
    }

    // A long load is parsed in two halves side by side and tells how far it has got: the
    // table and the parse are still those of one pass over the lines.
    void long_chargement_data() {
        QTest::addColumn<QByteArray>("contenu");
        QRandomGenerator gen(7);
        const QByteArray flot = flot_d_ecrivain(gen, 300000, false);
        QTest::newRow("stopped at the end") << flot;
        const qsizetype quart = flot.indexOf("\r\n", flot.size() / 4) + 2;
        QTest::newRow("stopped in the first half") << flot.first(quart) + "\"Stopped\"\r\n" + flot.sliced(quart);
    }
    void long_chargement() {
        QFETCH(QByteArray, contenu);
        Chargement c;
        QList<int> parts;
        c.lecture.charge(chemin, contenu, marque, *c.tableau, [&](int p) { parts << p; });
        QVERIFY(parts.size() >= 3 && parts.last() == 100 && std::is_sorted(parts.begin(), parts.end()));
        Tableau t;
        const ResultatParse un = remplit_tableau(c.lecture.lignes(), t);
        const ResultatParse& deux = c.lecture.parse();
        QVERIFY(deux.nb_enreg == un.nb_enreg && deux.max_x == un.max_x && deux.max_y == un.max_y);
        QVERIFY(deux.arrete && deux.noms == un.noms && deux.enreg_ecartes == un.enreg_ecartes);
        QCOMPARE(c.tableau->taille(), un.nb_enreg);
        for (int col = 0; col <= nb_colonnes_lues; ++col)
            QVERIFY(std::memcmp(t.colonne(col) + 1, c.tableau->colonne(col) + 1,
                                sizeof(double) * size_t(un.nb_enreg)) == 0);
    }

    void lit_ajout_data() {
        QTest::addColumn<QByteArray>("ensuite");
        QTest::addColumn<bool>("suite");
        QTest::newRow("appended") << QByteArray("\"h\"\r\n\"1 2\"\r\n\"3 4\"\r\n") << true;
        QTest::newRow("nothing new") << QByteArray("\"h\"\r\n\"1 2\"\r\n") << true;
        QTest::newRow("cut") << QByteArray("\"h\"\r\n\"1 2") << false;
        QTest::newRow("edited in place") << QByteArray("\"h\"\r\n\"1 3\"\r\n\"3 4\"\r\n") << false;
        QTest::newRow("emptied") << QByteArray() << false;
    }
    void lit_ajout() {
        QFETCH(QByteArray, ensuite);
        QFETCH(bool, suite);
        QTemporaryDir dossier;
        const QString f = dossier.filePath("run.txt");
        const QByteArray avant("\"h\"\r\n\"1 2\"\r\n");
        // Replaced by rename, as some writers do: only the bytes tell.
        aide_test::ecrit_octets(dossier.filePath("new.txt"), ensuite);
        QVERIFY(QFile::rename(dossier.filePath("new.txt"), f));
        const std::optional<QByteArray> ajout = ::lit_ajout(f, avant);
        QCOMPARE(ajout.has_value(), suite);
        if (suite) QCOMPARE(avant + *ajout, ensuite);
    }

    void lit_ajout_fichier_absent() {
        QVERIFY_THROWS_EXCEPTION(ErreurRez, ::lit_ajout(QStringLiteral("/nonexistent/run.txt"), "x"));
    }
};

QTEST_MAIN(TestLectureCible)
#include "test_lecture_cible.moc"
