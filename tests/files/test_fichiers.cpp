#include "helpers.h"
#include "util_rez/base/erreur.h"
#include "util_rez/config/pointeur.h"
#include "util_rez/files/fichier_cible.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lecture_cible.h"

#include <QBuffer>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What can take a file's name without being a file to read. Nothing here is opened for
// writing: the pipe has no writer, the device is only a link's target.
QString prepare_non_fichier(const QString& sorte, const QTemporaryDir& dir) {
    const QString chemin = dir.filePath("run.txt");
    if (sorte == u"pipe")
        ::mkfifo(QFile::encodeName(chemin).constData(), 0600);
    else if (sorte == u"folder")
        QDir(dir.path()).mkdir("run.txt");
    else if (sorte == u"link to a device")
        QFile::link(QStringLiteral("/dev/zero"), chemin);
    else if (sorte == u"link to a pipe") {
        ::mkfifo(QFile::encodeName(dir.filePath("p")).constData(), 0600);
        QFile::link(dir.filePath("p"), chemin);
    }
    return chemin;
}

} // namespace

class TestFichiers : public QObject {
    Q_OBJECT
private slots:
    void coupe_lignes_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<bool>("fin");
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"} << true;
        QTest::newRow("lf") << "a\nb" << QStringList{"a", "b"} << false;
        QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"} << true;
        QTest::newRow("mixed and empty lines") << "a\r\n\rb\n\n" << QStringList{"a", "", "b", ""} << true;
        QTest::newRow("empty") << "" << QStringList{} << false;
        QTest::newRow("lone break") << "\r\n" << QStringList{""} << true;
    }
    void coupe_lignes() {
        QFETCH(QString, texte);
        QFETCH(QStringList, lignes);
        QFETCH(bool, fin);
        bool fin_lue = !fin;
        QCOMPARE(::coupe_lignes(texte, &fin_lue), lignes);
        QCOMPARE(fin_lue, fin);
    }
    void latin1_garde_ses_octets() {
        QTemporaryDir dir;
        const QString chemin = dir.filePath("run.txt");
        const QByteArray octets = aide_test::echantillon("latin1.txt");
        aide_test::ecrit_octets(chemin, octets);
        const TexteLu lu = lit_fichier_texte(chemin);
        QCOMPARE(lu.codage, Codage::Latin1);
        QCOMPARE(lu.octets, octets);
        QCOMPARE(lu.lignes.first(), QStringLiteral("\"Température °C\""));
        QCOMPARE(encode_lignes(lu.lignes, lu.codage), octets);
    }
    void utf8_reconnu() {
        QTemporaryDir dir;
        const QString chemin = dir.filePath("u.txt");
        aide_test::ecrit_octets(chemin, QStringLiteral("Température\n").toUtf8());
        const TexteLu lu = lit_fichier_texte(chemin);
        QCOMPARE(lu.codage, Codage::Utf8);
        QCOMPARE(lu.lignes, QStringList{QStringLiteral("Température")});
    }
    // The English text for scripts, and what failed for a window to word in its language.
    void fichier_illisible_nomme() {
        QTemporaryDir dir;
        const QString absent = QStringLiteral("/nonexistent/run.txt");
        try {
            lit_fichier_texte(absent);
            QFAIL("no error");
        } catch (const ErreurRez& e) {
            QCOMPARE(e.texte(), "Cannot open file \"" + absent + "\". No such file or directory.");
            QCOMPARE(e.genre(), ErreurRez::Genre::FichierAbsent);
            QCOMPARE(e.arguments(), QStringList{absent});
        }
        try {
            lit_octets(dir.path());
            QFAIL("no error");
        } catch (const ErreurRez& e) {
            QCOMPARE(e.genre(), ErreurRez::Genre::FichierIllisible);
            QCOMPARE(e.arguments().size(), 2);
            QCOMPARE(e.arguments().first(), dir.path());
            QVERIFY(!e.arguments().last().isEmpty());
            QCOMPARE(e.texte(), "Cannot open file \"" + dir.path() + "\". " + e.arguments().last());
        }
        // A name the system cannot look up is no missing file: its own reason says why.
        aide_test::ecrit_octets(dir.filePath("run.txt"), "x");
        for (const QString& nom : {QString(300, u'n'), QStringLiteral("run.txt/x")}) {
            try {
                lit_octets(dir.filePath(nom));
                QFAIL("read");
            } catch (const ErreurRez& e) {
                QVERIFY(QStringList({"File name too long", "Not a directory"}).contains(e.arguments().value(1)));
            }
        }
    }
    // A file of a few megabytes is read into a buffer set up for large pages: every byte still arrives.
    void octets_exacts_data() {
        QTest::addColumn<qsizetype>("taille");
        for (const qsizetype t : {qsizetype(0), qsizetype(1), (qsizetype(4) << 20) - 1, (qsizetype(9) << 20) + 3})
            QTest::addRow("%lld", qlonglong(t)) << t;
    }
    void octets_exacts() {
        QFETCH(qsizetype, taille);
        QTemporaryDir dir;
        QByteArray octets(taille, Qt::Uninitialized);
        for (qsizetype i = 0; i < taille; ++i)
            octets[i] = char(i * 7919 >> 3);
        aide_test::ecrit_octets(dir.filePath("run.txt"), octets);
        QCOMPARE(lit_octets(dir.filePath("run.txt")), octets);
    }
    void pointeurs() {
        QTemporaryDir dir;
        const Emplacements ici(dir.path(), QString(), true);
        QCOMPARE(lit_pointeur(ici, fichier_dossier_memorise), QString());
        QString raison;
        QVERIFY(ecrit_pointeur(ici, fichier_dossier_memorise, QStringLiteral("/data/"), raison));
        QCOMPARE(aide_test::lit_octets(dir.filePath("~rez_rep.~r")), QByteArray("/data/\r\n"));
        QCOMPARE(lit_pointeur(Emplacements(dir.path() + "/", QString(), true), fichier_dossier_memorise),
                 QStringLiteral("/data/"));
        aide_test::ecrit_octets(dir.filePath("~rez_rep.~f"), "run.txt\nextra\n");
        QCOMPARE(lit_pointeur(ici, fichier_nom_memorise), QStringLiteral("run.txt"));
        QVERIFY(!ecrit_pointeur(Emplacements(dir.filePath("absent"), QString(), true), fichier_nom_memorise,
                                QStringLiteral("x"), raison));
        QVERIFY(!raison.isEmpty());
    }
    void date_dos_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<quint32>("code");
        QTest::newRow("1980-01-01 00:00:00") << QDateTime(QDate(1980, 1, 1), QTime(0, 0)) << quint32(0x00210000);
        QTest::newRow("odd seconds round down")
            << QDateTime(QDate(2026, 12, 7), QTime(21, 30, 59))
            << quint32((((2026 - 1980) << 9 | 12 << 5 | 7) << 16) | (21 << 11 | 30 << 5 | 29));
        QTest::newRow("before 1980 clamps") << QDateTime(QDate(1970, 1, 1), QTime(5, 0)) << quint32(0x00210000);
    }
    void date_dos() {
        QFETCH(QDateTime, moment);
        QFETCH(quint32, code);
        QCOMPARE(static_cast<quint32>(::date_dos(moment)), code);
    }
    void taille_et_age() {
        QTemporaryDir dir;
        const QString chemin = dir.filePath("run.txt");
        QCOMPARE(taille_fichier(chemin), -1);
        QCOMPARE(age_fichier(chemin), -1);
        QCOMPARE(taille_fichier(dir.path()), -1);
        QCOMPARE(age_fichier(dir.path()), -1);
        aide_test::ecrit_octets(chemin, "12345");
        QCOMPARE(taille_fichier(chemin), 5);
        QCOMPARE(age_fichier(chemin), ::date_dos(QFileInfo(chemin).lastModified()));
        // A file the user may read but not write is still measured.
        QFile::setPermissions(chemin, QFileDevice::ReadOwner);
        QCOMPARE(taille_fichier(chemin), 5);
    }
    // A pipe or a device must neither hold the reader (a pipe's open waits for a writer) nor
    // feed it without end; each reader treats it as a file it cannot open.
    void initTestCase() { ::alarm(60); }
    void rien_que_les_fichiers_ordinaires_data() {
        QTest::addColumn<QString>("sorte");
        QTest::addColumn<QString>("raison");
        QTest::newRow("pipe") << "pipe"
                              << "Not a regular file";
        QTest::newRow("folder") << "folder"
                                << "Is a directory";
        QTest::newRow("link to a device") << "link to a device"
                                          << "Not a regular file";
        QTest::newRow("link to a pipe") << "link to a pipe"
                                        << "Not a regular file";
    }
    void rien_que_les_fichiers_ordinaires() {
        QFETCH(QString, sorte);
        QFETCH(QString, raison);
        QTemporaryDir dir;
        const QString chemin = prepare_non_fichier(sorte, dir);
        QVERIFY(QFileInfo::exists(chemin) && !QFileInfo(chemin).isFile());
        QCOMPARE(taille_fichier(chemin), -1);
        const QString message = QStringLiteral("Cannot open file \"%1\". %2").arg(chemin, raison);
        for (const auto& lit : std::initializer_list<std::function<void()>>{
                 [&] { lit_octets(chemin); }, [&] { lit_fichier_texte(chemin); },
                 [&] { lit_ajout(chemin, "x"); }, [&] { lit_premieres_lignes(chemin, 10, 100); }}) {
            try {
                lit();
                QFAIL("read");
            } catch (const ErreurRez& e) {
                QCOMPARE(e.texte(), message);
            }
        }
        QVERIFY(QFile::rename(chemin, dir.filePath("~rez_rep.~r")));
        QCOMPARE(lit_pointeur(Emplacements(dir.path(), QString(), true), fichier_dossier_memorise),
                 QString());
    }

    // Ten lines at most, each cut at the bound without half a character, whatever follows.
    void premieres_lignes_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("lignes");
        QTest::newRow("stops after the wanted lines")
            << QByteArray("1\r\n2\n3\r4\r\n5") << QStringList{"1", "2", "3"};
        QTest::newRow("long line cut, the next kept")
            << QByteArray("abcdefghij\r\nk") << QStringList{"abcdef", "k"};
        QTest::newRow("cut keeps no half character")
            << QByteArray("abcde\xC3\xA9g\nz") << QStringList{"abcde", "z"};
        QTest::newRow("cut latin-1 line")
            << QByteArray("abc\xE9\xE9\xE9\xE9") << QStringList{"abc\u00e9\u00e9"};
        QTest::newRow("CR LF split across reads")
            << QByteArray(4095, 'x') + "\r\nb" << QStringList{"xxxxxx", "b"};
    }
    void premieres_lignes() {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, lignes);
        QBuffer tampon(&octets);
        QVERIFY(tampon.open(QIODevice::ReadOnly));
        QCOMPARE(lit_premieres_lignes(tampon, 3, 6), lignes);
    }

    // A rewrite that keeps the size and the two-second stamp still shows: in the nanoseconds
    // of the modification time, in its change time when the writer puts the former back, or in
    // the file now behind the name.
    void identite() {
        QTemporaryDir dir;
        const QString chemin = dir.filePath("run.txt");
        QVERIFY(!identite_fichier(chemin));
        aide_test::ecrit_octets(chemin, "12345");
        const auto fixe = [&](long ns) {
            const timespec t[2] = {{1700000000, ns}, {1700000000, ns}};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(chemin).constData(), t, 0), 0);
        };
        fixe(100);
        const auto avant = identite_fichier(chemin);
        QVERIFY(avant);
        QCOMPARE(identite_fichier(chemin), avant);
        aide_test::ecrit_octets(chemin, "54321");
        fixe(200);
        QCOMPARE(age_fichier(chemin), ::date_dos(QFileInfo(chemin).lastModified()));
        QVERIFY(identite_fichier(chemin) != avant);
        fixe(100);
        QVERIFY(identite_fichier(chemin) != avant);
        aide_test::ecrit_octets(dir.filePath("new"), "12345");
        QVERIFY(QFile::remove(chemin) && QFile::rename(dir.filePath("new"), chemin));
        fixe(100);
        QCOMPARE(taille_fichier(chemin), 5);
        const auto apres = identite_fichier(chemin);
        QVERIFY(apres && (apres->inode != avant->inode || apres->peripherique != avant->peripherique));
    }
    void nom_sans_dossier() {
        QCOMPARE(::nom_sans_dossier(QStringLiteral("/a/b/run.txt")), QStringLiteral("run.txt"));
        QCOMPARE(::nom_sans_dossier(QStringLiteral("C:\\x\\r.txt")), QStringLiteral("r.txt"));
        QCOMPARE(::nom_sans_dossier(QStringLiteral("d:r.txt")), QStringLiteral("r.txt"));
    }
};

QTEST_GUILESS_MAIN(TestFichiers)
#include "test_fichiers.moc"
