#include "cible_essai.h"
#include "helpers.h"
#include "util_rez/base/erreur.h"
#include "util_rez/config/emplacements.h"
#include "util_rez/config/langue.h"
#include "util_rez/config/setup.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lecture_cible.h"
#include "util_rez/target/memoire_cible.h"

#include <QRandomGenerator>
#include <QtTest>
#include <memory>
#include <unistd.h>

namespace {

const QString marque = QStringLiteral("Comment");
const QByteArray entete = aide_test::CibleEssai{.titre = "Bench", .operateur = "Op"}.octets();

// The process's peak resident memory so far, in MiB, from its own status.
long pic_memoire_mio() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:")) return l.mid(6).trimmed().split(' ').first().toLong() / 1024;
    return -1;
}

// Starts the peak over from the memory in use now, so that each case is measured on its own.
void repart_pic_memoire() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

// Bytes this process has read from files so far.
qint64 octets_lus() {
    QFile f(QStringLiteral("/proc/self/io"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("rchar:")) return l.mid(6).trimmed().toLongLong();
    return -1;
}

QByteArray fichier_hostile(const QString& cas) {
    if (cas == u"binary") {
        QRandomGenerator gen(5);
        QByteArray b(1 << 20, '\0');
        for (char& c : b)
            c = char(gen.bounded(256));
        return b;
    }
    if (cas == u"NUL bytes") {
        const QByteArray nul(1, '\0');
        return "\"Be" + nul + "nch\"\r\n\"Op\"\r\n\"Runtime A B C D E F\"\r\n\"00000.0 1" + nul +
               "2 3\"\r\n\"" + nul + "\"\r\n";
    }
    if (cas == u"10 MB line") {
        QByteArray l = "\"00000.5 1 2 3 4 5 6";
        l += QByteArray(10 << 20, ' ');
        return entete + l + " 7\"\r\n\"00001.0 2 2 2 2 2 2\"\r\n";
    }
    if (cas == u"million short lines") {
        QByteArray b = entete;
        for (int i = 0; i < 1000000; ++i)
            b += "\"0 1\"\n";
        return b;
    }
    if (cas == u"CR line ends") return aide_test::echantillon("fins_cr.txt");
    if (cas == u"invalid UTF-8")
        return "\"Temp\xC3\x28rature \xFF\"\r\n\"Op\"\r\n\"Runtime A B C D E F\"\r\n\"00000.0 1\"\r\n";
    if (cas == u"names line of 10 000 fields" || cas == u"record of 10 000 fields") {
        QByteArray champs;
        for (int i = 1; i <= 10000; ++i)
            champs += QByteArray::number(i) + ' ';
        if (cas.startsWith(u"names")) return "\"h\"\r\n\"h\"\r\n\"" + champs + "\"\r\n";
        return entete + "\"" + champs + "\"\r\n";
    }
    if (cas == u"numbers out of the grammar")
        return entete + "\"00000.0 1e400 nan inf 0x10 -1e400 1e308\"\r\n";
    return {};
}

} // namespace

// Hostile target files, the setup and the language files, each with a clear outcome: the
// result the rules give, within bounded memory, or a clear failure.
class TestEntreesHostiles : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { ::alarm(100); } // a hang fails here instead of at ctest's limit

    // A run is refused, naming the file and its size, when it would not fit; the memory the
    // last load holds counts as free, since it is let go first.
    void memoire_data() {
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<qint64>("tenu");
        QTest::addColumn<qint64>("disponible");
        QTest::addColumn<bool>("refuse");
        QTest::newRow("fits") << qint64(100) << qint64(0) << qint64(300) << false;
        QTest::newRow("too big") << qint64(101) << qint64(0) << qint64(300) << true;
        QTest::newRow("the last load let go") << qint64(150) << qint64(50) << qint64(300) << false;
        QTest::newRow("the system does not say") << qint64(1) << qint64(0) << qint64(-1) << false;
    }
    void memoire() {
        QFETCH(qint64, taille);
        QFETCH(qint64, tenu);
        QFETCH(qint64, disponible);
        QFETCH(bool, refuse);
        try {
            verifie_memoire(QStringLiteral("/runs/long.txt"), taille, tenu, disponible);
            QVERIFY(!refuse);
        } catch (const ErreurRez& e) {
            QVERIFY(refuse);
            QCOMPARE(e.genre(), ErreurRez::Genre::MemoireInsuffisante);
            QCOMPARE(e.arguments(), QStringList({"/runs/long.txt", QString::number(taille)}));
        }
    }

    void cible_data() {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<int>("nb_enreg");
        QTest::addColumn<QString>("premiere");
        QTest::addColumn<QList<double>>("ligne_1");
        QTest::newRow("binary") << "binary" << -1 << QString() << QList<double>{};
        QTest::newRow("NUL bytes") << "NUL bytes" << 1 << QStringLiteral("\"Be\u0000nch\"")
                                   << QList<double>{0, 0, 3, 0, 0, 0, 0};
        QTest::newRow("10 MB line") << "10 MB line" << 2 << "\"Bench\""
                                    << QList<double>{0.5, 1, 2, 3, 4, 5, 6};
        QTest::newRow("million short lines")
            << "million short lines" << 1000000 << "\"Bench\"" << QList<double>{0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("CR line ends")
            << "CR line ends" << 3 << "\"Bench 3\"" << QList<double>{0, 10, 2, 3, 4, 5, 6};
        QTest::newRow("invalid UTF-8")
            << "invalid UTF-8" << 1 << QStringLiteral("\"Temp\u00C3(rature \u00FF\"")
            << QList<double>{0, 1, 0, 0, 0, 0, 0};
        QTest::newRow("record of 10 000 fields")
            << "record of 10 000 fields" << 1 << "\"Bench\"" << QList<double>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("numbers out of the grammar")
            << "numbers out of the grammar" << 1 << "\"Bench\"" << QList<double>{0, 0, 0, 0, 0, 0, 1e308};
    }
    void cible() {
        QFETCH(QString, cas);
        QFETCH(int, nb_enreg);
        QFETCH(QString, premiere);
        QFETCH(QList<double>, ligne_1);
        QTemporaryDir dir;
        const QString chemin = dir.filePath("run.txt");
        const QByteArray contenu = fichier_hostile(cas);
        aide_test::ecrit_octets(chemin, contenu);
        repart_pic_memoire();
        auto tableau = std::make_unique<Tableau>();
        LectureCible lecture;
        lecture.charge(chemin, lit_octets(chemin), marque, *tableau);
        QCOMPARE(lecture.octets(), contenu);
        if (cas == u"binary") QCOMPARE(lecture.codage(), Codage::Latin1);
        const ResultatParse& r = lecture.parse();
        if (nb_enreg >= 0) QCOMPARE(r.nb_enreg, nb_enreg);
        QCOMPARE(tableau->taille(), r.nb_enreg);
        if (!premiere.isNull()) QCOMPARE(lecture.lignes().value(0), premiere);
        for (int c = 1; c <= ligne_1.size(); ++c)
            QCOMPARE((*tableau)(c, 1), ligne_1[c - 1]);
        // The bytes, the lines and the table: a few times the file's size, and the table and the
        // lines' own cost per record (more under the address sanitizer), and no more.
        QVERIFY2(pic_memoire_mio() < 400 + 8 * (contenu.size() >> 20) + (qint64(r.nb_enreg) * 200 >> 20),
                 qPrintable(QString::number(pic_memoire_mio())));
    }

    void noms_de_10000_champs() {
        auto tableau = std::make_unique<Tableau>();
        LectureCible lecture;
        lecture.charge(QStringLiteral("/r/run.txt"), fichier_hostile("names line of 10 000 fields"), marque,
                       *tableau);
        const ResultatParse& r = lecture.parse();
        QVERIFY(r.noms_lus);
        QCOMPARE(r.noms[1], QStringLiteral("2"));
        QCOMPARE(r.noms[6], QStringLiteral("7"));
        QCOMPARE(r.noms[7], QStringLiteral("7 - 5"));
    }

    // Names no shell would leave alone: blanks, quotes, a leading dash, letters beyond ASCII.
    void chemins_etranges_data() {
        QTest::addColumn<QString>("nom");
        for (const char* n : {"run 7 .txt", "\"quoted\" 'run'.txt", "-reverse", "--style=x",
                              "Température °C.txt", "日本語.txt", " leading blank"})
            QTest::newRow(n) << QString::fromUtf8(n);
    }
    void chemins_etranges() {
        QFETCH(QString, nom);
        QTemporaryDir dir;
        const QString chemin = dir.filePath(nom);
        aide_test::ecrit_octets(chemin, aide_test::echantillon("fini.txt"));
        auto tableau = std::make_unique<Tableau>();
        LectureCible lecture;
        lecture.charge(chemin, lit_octets(chemin), marque, *tableau);
        QCOMPARE(lecture.parse().nb_enreg, 5);
        QCOMPARE(lit_ajout(chemin, lecture.octets()), std::optional<QByteArray>(QByteArray()));
    }

    // A setup file grown to 100 MB, or holding a line of 1 MB: ten lines are read, each cut to a
    // sane length, and the rest of the file is never read.
    void setup_demesure_data() {
        QTest::addColumn<QByteArray>("debut");
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<int>("appliquees");
        QTest::addColumn<int>("longueur_nom");
        const QByteArray dix = "3\r\n0\r\n4\r\n.\r\nHaut\r\nBas\r\nTRUE\r\n1\r\n255\r\n65280\r\n";
        QTest::newRow("100 MB after ten lines") << dix << qint64(100 << 20) << 11 << 4;
        QTest::newRow("1 MB line") << QByteArray("3\r\n0\r\n4\r\n.\r\n") + QByteArray(1 << 20, 'n') +
                                          "\r\nBas\r\nTRUE\r\n1\r\n255\r\n65280\r\n"
                                   << qint64(0) << 10 << 4096;
        QTest::newRow("100 MB of one line") << QByteArray("3") << qint64(100 << 20) << 1 << -1;
    }
    void setup_demesure() {
        QFETCH(QByteArray, debut);
        QFETCH(qint64, taille);
        QFETCH(int, appliquees);
        QFETCH(int, longueur_nom);
        QTemporaryDir dir;
        const QString chemin = dir.filePath(nom_fichier_setup);
        aide_test::ecrit_octets(chemin, debut);
        if (taille > 0) QVERIFY(QFile::resize(chemin, taille)); // the rest is zeros, a sparse file
        const qint64 avant = octets_lus();
        const LectureSetup lu = lit_setup(chemin, ReglagesSetup{});
        QVERIFY(octets_lus() - avant < 20 << 20);
        QCOMPARE(lu.lignes_appliquees, appliquees);
        if (longueur_nom >= 0) QCOMPARE(lu.reglages.nom_haut.size(), longueur_nom);
        if (appliquees >= 10)
            QCOMPARE(lu.reglages.couleur_bas, 65280);
        else
            QCOMPARE(lu.erreur ? lu.erreur->texte() : QString(),
                     QStringLiteral("'' is not a valid integer value."));
    }

    // 100 000 entries: a master file makes a table of them all, a translation over a shorter
    // master adds none.
    void langue_de_100000_entrees() {
        QTemporaryDir dir;
        QByteArray contenu;
        for (int i = 1; i <= 100000; ++i)
            contenu += QByteArray::number(i) + " text " + QByteArray::number(i) + "\r\n";
        aide_test::ecrit_octets(dir.filePath("long.txt"), contenu);
        const QStringList lignes = lit_fichier_texte(dir.filePath("long.txt")).lignes;
        TableLangue t;
        t.charge_maitre(lignes.mid(0, 90), false);
        t.charge_surcouche(lignes, false);
        QCOMPARE(t.lignes().size(), 91);
        QCOMPARE(t.texte_message(90), QStringLiteral("text 90"));
        QCOMPARE(t.texte_message(91), QStringLiteral("ww(91)=?"));
        t.charge_maitre(lignes, false);
        QCOMPARE(t.texte_message(100000), QStringLiteral("text 100000"));
    }

    // A language file of 1 GB (sparse) in the user's folder is refused unread; the master's texts
    // stay, and the comment headings are the other languages'.
    void langue_de_1_go() {
        QTemporaryDir prog, utilisateur;
        const auto langue = [](const QByteArray& titre) { return QByteArray("1 t\r\n").repeated(49) + "50 " + titre; };
        aide_test::ecrit_octets(prog.filePath(fichier_langue_maitre), langue("Commentaire"));
        aide_test::ecrit_octets(utilisateur.filePath("Lintrace_lng.en.txt"), langue("Huge"));
        QVERIFY(QFile::resize(utilisateur.filePath("Lintrace_lng.en.txt"), qint64(1) << 30));
        const Emplacements lieux(prog.path(), utilisateur.path(), false);
        TableLangue t;
        const qint64 avant = octets_lus();
        QVERIFY_THROWS_EXCEPTION(ErreurRez, charge_table_langue(t, lieux, "Lintrace_lng.en.txt", false, {}));
        QVERIFY(octets_lus() - avant < 1 << 20);
        QCOMPARE(t.texte_message(50), QStringLiteral("Commentaire"));
        QCOMPARE(marques_commentaire(lieux, "x"), QStringLiteral("x\nCommentaire"));
    }
};

QTEST_GUILESS_MAIN(TestEntreesHostiles)
#include "test_entrees_hostiles.moc"
