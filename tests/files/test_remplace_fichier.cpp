#include "helpers.h"
#include "util_rez/files/remplace_fichier.h"

#include <QProcess>
#include <QtTest>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const option_enfant = "--reecrit-sans-fin";

// Two versions of a large file that a cut-off write cannot pass for.
QByteArray version(char c) {
    return QByteArray(12 * 1024 * 1024 + (c == 'a' ? 0 : 1), c);
}

// The child: once it has said so, does nothing but rewrite the file until it is killed, so
// a kill always lands inside a rewrite. It tells of each rewrite done.
int reecrit_sans_fin(const QString& chemin) {
    const QByteArray versions[] = {version('b'), version('a')};
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int i = 0;; ++i) {
        QString raison;
        if (!remplace_fichier(chemin, versions[i % 2], raison))
            return 1;
        std::fputs("done\n", stdout);
        std::fflush(stdout);
    }
}

QStringList autres_fichiers(const QString& dossier, const QString& nom) {
    QStringList l = QDir(dossier).entryList(QDir::Files | QDir::Hidden);
    l.removeAll(nom);
    return l;
}

} // namespace

class TestRemplaceFichier : public QObject {
    Q_OBJECT
  private slots:
    void remplace_et_garde_les_droits() {
        QTemporaryDir dir;
        const QString cible = dir.filePath("run.txt");
        QString raison;
        QVERIFY(remplace_fichier(cible, "new", raison));
        QCOMPARE(aide_test::lit_octets(cible), QByteArray("new"));
        const auto droits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(cible, droits));
        QVERIFY(QFile::link(cible, dir.filePath("lien.txt")));
        QVERIFY(remplace_fichier(dir.filePath("lien.txt"), "again", raison));
        QCOMPARE(aide_test::lit_octets(cible), QByteArray("again"));
        QCOMPARE(QFileInfo(cible).permissions() & 0x7077, droits); // owner, group and others
        QVERIFY(QFileInfo(dir.filePath("lien.txt")).isSymLink());
        QCOMPARE(autres_fichiers(dir.path(), "run.txt"), QStringList{"lien.txt"});
        QVERIFY(!remplace_fichier(dir.filePath("absent/x.txt"), "x", raison));
        QVERIFY(!raison.isEmpty());
    }
    void rien_d_autre_qu_un_fichier_ordinaire() {
        QTemporaryDir dir;
        // A pipe stands for any special file: replacing it must not turn it into a plain file.
        const QString tube = dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        const QString lien = dir.filePath("run.txt");
        QVERIFY(QFile::link(tube, lien));
        QString raison;
        QVERIFY(!remplace_fichier(lien, "x", raison));
        QVERIFY(!raison.isEmpty());
        QVERIFY(!QFileInfo(tube).isFile());
        QVERIFY(!remplace_fichier(dir.path(), "x", raison));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }
    // Written through a link whose target's name is no UTF-8, the new file would land beside
    // the target under another name; the write is refused and the target left as it was.
    void lien_vers_un_nom_non_utf8() {
        QTemporaryDir dir;
        const QByteArray cible = QFile::encodeName(dir.path()) + "/caf\xE9.txt";
        {
            const int fd = ::open(cible.constData(), O_WRONLY | O_CREAT, 0644);
            QVERIFY(fd >= 0 && ::write(fd, "old", 3) == 3);
            ::close(fd);
        }
        const QString lien = dir.filePath("run.txt");
        QCOMPARE(::symlink(cible.constData(), QFile::encodeName(lien).constData()), 0);
        QString raison;
        QVERIFY(!remplace_fichier(lien, "new", raison));
        QVERIFY(!raison.isEmpty());
        QVERIFY(
            !QFileInfo::exists(dir.filePath(QStringLiteral("caf\uFFFD.txt")))); // what the write made before
        QCOMPARE(aide_test::lit_octets(lien), QByteArray("old"));
    }
    void disque_plein_laisse_l_original() {
        QTemporaryDir dir;
        const QString cible = dir.filePath("run.txt");
        aide_test::ecrit_octets(cible, "original");
        // The bytes fit the write buffer, so the failure shows only when it is flushed.
        QString raison;
        bool ecrit = true;
        {
            aide_test::LimiteTailleFichier limite(1024);
            ecrit = remplace_fichier(cible, QByteArray(8000, 'x'), raison);
        }
        QVERIFY(!ecrit);
        QCOMPARE(raison, QStringLiteral("File too large"));
        QCOMPARE(aide_test::lit_octets(cible), QByteArray("original"));
        QVERIFY(autres_fichiers(dir.path(), "run.txt").isEmpty());
    }
    void processus_tue_en_pleine_ecriture() {
        QTemporaryDir dir;
        const QString cible = dir.filePath("run.txt");
        aide_test::ecrit_octets(cible, version('a'));
        for (int delai : {0, 5, 20, 40, 80, 120, 200, 300}) {
            QProcess enfant;
            enfant.start(QCoreApplication::applicationFilePath(), {option_enfant, cible});
            QVERIFY(enfant.waitForReadyRead(10000));
            // The last kill lands after a rewrite at least, however slow the disk is today.
            while (delai == 300 && !enfant.readAll().contains("done"))
                QVERIFY(enfant.waitForReadyRead(20000));
            QThread::msleep(delai);
            enfant.kill();
            QVERIFY(enfant.waitForFinished());
            QCOMPARE(enfant.exitStatus(), QProcess::CrashExit);
            const QByteArray lu = aide_test::lit_octets(cible);
            QVERIFY2(lu == version('a') || lu == version('b'), qPrintable(QString::number(lu.size())));
            // A kill between the temporary file's naming and its rename may leave it behind: a
            // stray copy, never the user's file half-written.
            QStringList autres = autres_fichiers(dir.path(), "run.txt");
            QVERIFY(QFileInfo::exists(cible));
            for (const QString& n : autres) {
                QVERIFY2(n.startsWith("run.txt."), qPrintable(n));
                QFile::remove(dir.filePath(n));
            }
        }
    }
};

int main(int argc, char* argv[]) {
    if (argc == 3 && qstrcmp(argv[1], option_enfant) == 0)
        return reecrit_sans_fin(QString::fromLocal8Bit(argv[2]));
    QCoreApplication app(argc, argv);
    TestRemplaceFichier t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_remplace_fichier.moc"
