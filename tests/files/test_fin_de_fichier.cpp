#include "helpers.h"
#include "util_rez/files/fin_de_fichier.h"

#include <QProcess>
#include <QtTest>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray journal = QByteArray("\"1 2 3\"\r\n").repeated(2000) + "\"Stopped\"\r\n";
const QByteArray bloc = "\r\n    Comment\r\nnew\r\n";
const QByteArray grand_bloc = bloc + QByteArray(24 << 20, 'c');

Remplacement remplace(const QString& c, qint64 debut, const std::function<void()>& entre = {},
                      const QByteArray& nouvelle = bloc) {
    const FinAttendue attendue = fin_attendue(*identite_fichier(c), aide_test::lit_octets(c), debut);
    if (entre) entre();
    std::optional<FinAttendue> apres;
    QString raison;
    return remplace_fin(c, attendue, nouvelle, apres, raison);
}

void ajoute(const QString& c, const QByteArray& octets) {
    QFile f(c);
    QVERIFY(f.open(QIODevice::Append) && f.write(octets) == octets.size());
}

} // namespace

using Changement = std::function<void(const QString&)>;
Q_DECLARE_METATYPE(Changement)

class TestFinDeFichier : public QObject {
    Q_OBJECT
  private slots:
    // Written only while the file is, at that moment, what was read; nothing made in its place.
    void seulement_sur_ce_qui_a_ete_lu_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<Changement>("change");
        QTest::addColumn<QByteArray>("attendu"); // empty: no file there
        const Changement rien = [](const QString&) {};
        QTest::newRow("appended") << journal << rien << journal + bloc;
        QTest::newRow("old block replaced") << journal + "\r\n    Comment\r\nold\r\n" << rien << journal + bloc;
        QTest::newRow("writer added since") << journal << Changement([](const QString& c) { ajoute(c, "\"n\"\r\n"); })
                                            << journal + "\"n\"\r\n";
        // Same size and modification time: the change time tells.
        QTest::newRow("rewritten, time put back") << journal << Changement([](const QString& c) {
            struct stat st {};
            QCOMPARE(::stat(QFile::encodeName(c).constData(), &st), 0);
            aide_test::ecrit_octets(c, QByteArray(journal).replace(1, 1, "9"));
            const timespec t[2] = {{0, UTIME_OMIT}, st.st_mtim};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(c).constData(), t, 0), 0);
        }) << QByteArray(journal).replace(1, 1, "9");
        QTest::newRow("a pipe in its place") << journal << Changement([](const QString& c) {
            QFile::remove(c);
            QCOMPARE(::mkfifo(QFile::encodeName(c).constData(), 0600), 0);
        }) << QByteArray();
        QTest::newRow("gone") << journal << Changement([](const QString& c) { QFile::remove(c); }) << QByteArray();
    }
    void seulement_sur_ce_qui_a_ete_lu() {
        QFETCH(QByteArray, contenu);
        QFETCH(Changement, change);
        QFETCH(QByteArray, attendu);
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        aide_test::ecrit_octets(c, contenu);
        const Remplacement r = remplace(c, journal.size(), [&] { change(c); });
        QCOMPARE(r == Remplacement::Fait, attendu.endsWith(bloc));
        if (attendu.isEmpty())
            QVERIFY(!QFileInfo(c).isFile());
        else
            QCOMPARE(aide_test::lit_octets(c), attendu);
    }

    // The same file: owner, mode, attribute and second link stay, and a writer that keeps it
    // open after "Stopped" writes its summary into it.
    void le_meme_fichier() {
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        const QByteArray octets_nom = QFile::encodeName(c);
        const char* nom = octets_nom.constData();
        aide_test::ecrit_octets(c, journal);
        QVERIFY(::chown(nom, 1234, 1235) == 0 && ::chmod(nom, 0444) == 0);
        QVERIFY(::setxattr(nom, "user.run", "7", 1, 0) == 0 && ::link(nom, (octets_nom + ".2").constData()) == 0);
        const int ecrivain = ::open(nom, O_WRONLY | O_APPEND);
        QCOMPARE(int(remplace(c, journal.size())), int(Remplacement::Fait));
        QCOMPARE(::write(ecrivain, "\"Count Summary\"\r\n", 17), 17);
        ::close(ecrivain);
        QCOMPARE(aide_test::lit_octets(c + ".2"), journal + bloc + "\"Count Summary\"\r\n");
        struct stat st {};
        char x = 0;
        QVERIFY(::stat(nom, &st) == 0 && ::getxattr(nom, "user.run", &x, 1) == 1 && x == '7');
        QVERIFY(st.st_uid == 1234 && st.st_gid == 1235 && (st.st_mode & 07777) == 0444 && st.st_nlink == 2);
    }

    // A logger appending at any moment of 200 saves: each of its lines there once.
    void ecrivain_pendant_l_ajout() {
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        aide_test::ecrit_octets(c, journal);
        std::vector<QByteArray> lignes;
        for (int i = 0; i < 200; ++i) {
            lignes.push_back("\"line " + QByteArray::number(i) + "\"\r\n");
            std::thread ecrivain([&] {
                std::this_thread::sleep_for(std::chrono::microseconds(i * 37 % 400));
                ajoute(c, lignes.back());
            });
            remplace(c, QFileInfo(c).size());
            ecrivain.join();
        }
        const QByteArray fin = aide_test::lit_octets(c);
        QVERIFY(fin.startsWith(journal) && fin.contains(bloc));
        for (const QByteArray& l : lignes)
            QCOMPARE(fin.count(l), 1);
    }

    // Killed at any moment of a save: the logger's bytes whole, then at most a start of the block.
    void tue_pendant_l_ajout() {
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        aide_test::ecrit_octets(c, journal);
        for (int delai : {0, 5, 20, 40, 80, 120, 200, 300}) {
            QProcess enfant;
            enfant.start(QCoreApplication::applicationFilePath(), {"--ajoute-sans-fin", c});
            QVERIFY(enfant.waitForReadyRead(10000));
            QThread::msleep(delai);
            enfant.kill();
            QVERIFY(enfant.waitForFinished() && enfant.exitStatus() == QProcess::CrashExit);
            const QByteArray lu = aide_test::lit_octets(c);
            QVERIFY(lu.startsWith(journal) && grand_bloc.startsWith(lu.sliced(journal.size())));
        }
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--ajoute-sans-fin") == 0) {
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        while (remplace(QString::fromLocal8Bit(argv[2]), journal.size(), {}, grand_bloc) == Remplacement::Fait) {}
        return 1;
    }
    TestFinDeFichier t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_fin_de_fichier.moc"
