#include "helpers.h"
#include "util_rez/files/fin_de_fichier.h"

#include <QProcess>
#include <QtTest>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const option_enfant = "--ajoute-sans-fin";
const QByteArray journal = QByteArray("\"Stopped\"\r\n").prepend(QByteArray("\"1 2 3\"\r\n").repeated(2000));
const QByteArray ancien_bloc = "\r\n    Comment\r\nold\r\n";
const QByteArray bloc = "\r\n    Comment\r\nnew\r\n";

FinAttendue lue(const QString& chemin, qint64 debut) {
    return fin_attendue(*identite_fichier(chemin), aide_test::lit_octets(chemin), debut);
}

Remplacement remplace(const QString& chemin, const FinAttendue& attendue, const QByteArray& nouvelle = bloc) {
    std::optional<FinAttendue> apres;
    QString raison;
    return remplace_fin(chemin, attendue, nouvelle, apres, raison);
}

void ajoute(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::Append) && f.write(octets) == octets.size());
}

// The child of the kill test: appends a large block again and again, cutting its last one,
// until it is killed.
int ajoute_sans_fin(const QString& chemin) {
    const QByteArray grand = bloc + QByteArray(24 << 20, 'c') + "\r\n";
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;) {
        std::optional<FinAttendue> apres;
        QString raison;
        if (remplace_fin(chemin, lue(chemin, journal.size()), grand, apres, raison) != Remplacement::Fait) return 1;
    }
}

} // namespace

using Changement = std::function<void(const QString&)>;
Q_DECLARE_METATYPE(Changement)

class TestFinDeFichier : public QObject {
    Q_OBJECT
  private slots:
    // The end is replaced only while the file is, at that moment, what was read.
    void seulement_sur_ce_qui_a_ete_lu_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<Changement>("change");
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QByteArray>("attendu");
        const Changement rien = [](const QString&) {};
        const int fait = int(Remplacement::Fait), change = int(Remplacement::Change);
        QTest::newRow("appended") << journal << rien << fait << journal + bloc;
        QTest::newRow("old block replaced") << journal + ancien_bloc << rien << fait << journal + bloc;
        QTest::newRow("writer added since") << journal << Changement([](const QString& c) { ajoute(c, "\"n\"\r\n"); })
                                            << change << journal + "\"n\"\r\n";
        QTest::newRow("old block edited") << journal + ancien_bloc
                                          << Changement([](const QString& c) {
                                                 QFile f(c);
                                                 QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(f.size() - 5));
                                                 f.write("x");
                                             })
                                          << change << journal + "\r\n    Comment\r\nxld\r\n";
        // Same size, same modification time: only the change time tells.
        QTest::newRow("rewritten, time put back")
            << journal << Changement([](const QString& c) {
                   struct stat st {};
                   QCOMPARE(::stat(QFile::encodeName(c).constData(), &st), 0);
                   aide_test::ecrit_octets(c, QByteArray(journal).replace(1, 1, "9"));
                   const timespec t[2] = {{0, UTIME_OMIT}, st.st_mtim};
                   QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(c).constData(), t, 0), 0);
               })
            << change << QByteArray(journal).replace(1, 1, "9");
        QTest::newRow("replaced by a rename") << journal << Changement([](const QString& c) {
            aide_test::ecrit_octets(c + ".n", journal);
            QVERIFY(::rename(QFile::encodeName(c + ".n").constData(), QFile::encodeName(c).constData()) == 0);
        }) << change << journal;
        QTest::newRow("a pipe in its place") << journal << Changement([](const QString& c) {
            QFile::remove(c);
            QCOMPARE(::mkfifo(QFile::encodeName(c).constData(), 0600), 0);
        }) << change << QByteArray();
        QTest::newRow("gone") << journal << Changement([](const QString& c) { QFile::remove(c); })
                              << int(Remplacement::Absent) << QByteArray();
    }
    void seulement_sur_ce_qui_a_ete_lu() {
        QFETCH(QByteArray, contenu);
        QFETCH(Changement, change);
        QFETCH(int, resultat);
        QFETCH(QByteArray, attendu);
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        aide_test::ecrit_octets(c, contenu);
        const FinAttendue attendue = lue(c, journal.size());
        change(c);
        QCOMPARE(int(remplace(c, attendue)), resultat);
        if (attendu.isEmpty())
            QVERIFY(!QFileInfo(c).isFile()); // nothing made in its place
        else
            QCOMPARE(aide_test::lit_octets(c), attendu);
    }

    // The same file: owner, mode, attributes and a second link stay, and a writer that keeps it
    // open after "Stopped" writes its summary into it, not into a file gone from the folder.
    void le_meme_fichier() {
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        const QByteArray nom = QFile::encodeName(c);
        aide_test::ecrit_octets(c, journal + ancien_bloc);
        QCOMPARE(::chown(nom.constData(), 1234, 1235), 0);
        QCOMPARE(::chmod(nom.constData(), 0444), 0);
        QCOMPARE(::setxattr(nom.constData(), "user.run", "7", 1, 0), 0);
        QCOMPARE(::link(nom.constData(), QFile::encodeName(dir.filePath("second")).constData()), 0);
        const int ecrivain = ::open(nom.constData(), O_WRONLY | O_APPEND);
        QCOMPARE(int(remplace(c, lue(c, journal.size()))), int(Remplacement::Fait));
        QCOMPARE(::write(ecrivain, "\"Count Summary\"\r\n", 17), 17);
        ::close(ecrivain);
        const QByteArray attendu = journal + bloc + "\"Count Summary\"\r\n";
        QCOMPARE(aide_test::lit_octets(c), attendu);
        QCOMPARE(aide_test::lit_octets(dir.filePath("second")), attendu);
        struct stat st {};
        QCOMPARE(::stat(nom.constData(), &st), 0);
        QCOMPARE(int(st.st_uid) * 10000 + int(st.st_gid), 1234 * 10000 + 1235);
        QCOMPARE(int(st.st_mode & 07777), 0444);
        QCOMPARE(int(st.st_nlink), 2);
        char x = 0;
        QCOMPARE(::getxattr(nom.constData(), "user.run", &x, 1), 1);
        QCOMPARE(x, '7');
    }

    // A logger appending at any moment of the save: none of its lines is lost, each is there once.
    void ecrivain_pendant_l_ajout() {
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        aide_test::ecrit_octets(c, journal);
        std::mt19937 hasard(24);
        int faits = 0;
        for (int i = 0; i < 200; ++i) {
            const FinAttendue attendue = lue(c, QFileInfo(c).size());
            const QByteArray ligne = QByteArray("\"line ") + QByteArray::number(i) + "\"\r\n";
            const int attente_us = int(hasard() % 400);
            std::thread ecrivain([&] {
                std::this_thread::sleep_for(std::chrono::microseconds(attente_us));
                ajoute(c, ligne);
            });
            faits += remplace(c, attendue) == Remplacement::Fait;
            ecrivain.join();
        }
        const QByteArray fin = aide_test::lit_octets(c);
        QVERIFY(fin.startsWith(journal));
        for (int i = 0; i < 200; ++i)
            QCOMPARE(fin.count(QByteArray("\"line ") + QByteArray::number(i) + "\"\r\n"), 1);
        QCOMPARE(fin.count(bloc), faits);
        QVERIFY(faits > 0);
    }

    // Killed at any moment of a save: the logger's bytes whole, then at most a start of the block.
    void tue_pendant_l_ajout() {
        QTemporaryDir dir;
        const QString c = dir.filePath("run.txt");
        aide_test::ecrit_octets(c, journal);
        const QByteArray grand = bloc + QByteArray(24 << 20, 'c') + "\r\n";
        int coupes = 0;
        for (int delai : {0, 5, 20, 40, 80, 120, 200, 300}) {
            QProcess enfant;
            enfant.start(QCoreApplication::applicationFilePath(), {option_enfant, c});
            QVERIFY(enfant.waitForReadyRead(10000));
            QThread::msleep(delai);
            enfant.kill();
            QVERIFY(enfant.waitForFinished());
            QCOMPARE(enfant.exitStatus(), QProcess::CrashExit);
            const QByteArray lu = aide_test::lit_octets(c);
            QVERIFY(lu.startsWith(journal));
            QVERIFY(grand.startsWith(lu.sliced(journal.size())));
            coupes += lu.size() > journal.size() && lu.size() < journal.size() + grand.size();
        }
        qInfo("kills that left a partial block: %d of 8", coupes);
    }
};

int main(int argc, char* argv[]) {
    if (argc == 3 && qstrcmp(argv[1], option_enfant) == 0) {
        QCoreApplication app(argc, argv);
        return ajoute_sans_fin(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestFinDeFichier t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_fin_de_fichier.moc"
