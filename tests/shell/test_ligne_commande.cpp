#include "helpers.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/shell/ligne_commande.h"

#include <QGuiApplication>
#include <QtTest>
#include <fcntl.h>
#include <unistd.h>

namespace {

// An argv as main() receives it, from texts that stay put while it is used.
struct Argv {
    std::vector<QByteArray> textes;
    std::vector<char*> pointeurs;
    explicit Argv(const QStringList& a) {
        for (const QString& t : a)
            textes.push_back(QFile::encodeName(t));
        for (QByteArray& t : textes)
            pointeurs.push_back(t.data());
        pointeurs.push_back(nullptr);
    }
    int argc() const { return int(textes.size()); }
};

QStringList argv_qt(LigneCommande& l) {
    QStringList r;
    for (int i = 0; i < l.argc_qt(); ++i)
        r << QString::fromUtf8(l.argv_qt()[i]);
    return r;
}

} // namespace

class TestLigneCommande : public QObject {
    Q_OBJECT
  private slots:
    // The first argument is the program's whatever it looks like; Qt sees the program name and
    // what follows the first argument.
    void premier_argument_au_programme_data() {
        QTest::addColumn<QStringList>("ligne");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("pour_qt");
        QTest::newRow("a target named like Qt's option")
            << QStringList{"lintrace", "-reverse"} << QStringList{"-reverse"} << QStringList{"lintrace"};
        QTest::newRow("-style with a value")
            << QStringList{"lintrace", "-style", "fusion"} << QStringList{"-style", "fusion"}
            << QStringList{"lintrace", "fusion"};
        QTest::newRow("Qt's options after the target")
            << QStringList{"lintrace", "run.txt", "-platform", "offscreen"}
            << QStringList{"run.txt", "-platform", "offscreen"}
            << QStringList{"lintrace", "-platform", "offscreen"};
        QTest::newRow("session") << QStringList{"lintrace", "#2", "x"} << QStringList{"#2", "x"}
                                 << QStringList{"lintrace", "x"};
        QTest::newRow("nothing") << QStringList{"lintrace"} << QStringList{} << QStringList{"lintrace"};
    }
    void premier_argument_au_programme() {
        QFETCH(QStringList, ligne);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, pour_qt);
        Argv a(ligne);
        LigneCommande l(a.argc(), a.pointeurs.data());
        QCOMPARE(l.arguments(), arguments);
        QCOMPARE(argv_qt(l), pour_qt);
        QCOMPARE(l.argv_qt()[l.argc_qt()], nullptr);
    }

    // Qt takes its options out of what it is given and leaves the target file alone.
    void qt_prend_ses_options_apres_la_cible() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        Argv a({"lintrace", "-reverse", "-reverse"});
        LigneCommande l(a.argc(), a.pointeurs.data());
        QGuiApplication app(l.argc_qt(), l.argv_qt());
        QVERIFY(QGuiApplication::isRightToLeft());
        QCOMPARE(QCoreApplication::arguments(), QStringList{QStringLiteral("lintrace")});
        QCOMPARE(l.arguments().first(), QStringLiteral("-reverse"));
    }

    // A name in bytes that are no UTF-8 reaches its file through a link of a name Qt can carry;
    // a name that is UTF-8 stays as it is.
    void nom_qui_n_est_pas_utf8_data() {
        QTest::addColumn<bool>("relatif");
        QTest::newRow("absolute") << false;
        QTest::newRow("relative to the current folder") << true;
    }
    void nom_qui_n_est_pas_utf8() {
        QFETCH(bool, relatif);
        QTemporaryDir dir, liens;
        const QByteArray nom = "caf\xE9 run.txt";
        const QByteArray chemin = QFile::encodeName(dir.path()) + '/' + nom;
        const int fd = ::open(chemin.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0 && ::write(fd, "\"h\"\r\n", 5) == 5);
        ::close(fd);
        const QString avant = QDir::currentPath();
        if (relatif) QVERIFY(QDir::setCurrent(dir.path()));
        const QString lien = nom_de_fichier(relatif ? nom : chemin, liens.path());
        QDir::setCurrent(avant);
        QCOMPARE(QFileInfo(lien).fileName(), QStringLiteral("café run.txt"));
        QCOMPARE(lit_octets(lien), QByteArray("\"h\"\r\n"));
        QCOMPARE(nom_de_fichier("/tmp/run é.txt", liens.path()), QStringLiteral("/tmp/run é.txt"));
    }
};

QTEST_APPLESS_MAIN(TestLigneCommande)
#include "test_ligne_commande.moc"
