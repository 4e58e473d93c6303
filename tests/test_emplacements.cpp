#include "helpers.h"
#include "util_rez/emplacements.h"
#include "util_rez/pointeur.h"

#include <QStandardPaths>
#include <QtTest>

namespace {
QStringList contenu(const QString& dossier) {
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

class TestEmplacements : public QObject {
    Q_OBJECT
    QTemporaryDir prog, base;
    QString utilisateur() const { return base.filePath(QStringLiteral("Lintrace")); }
    Emplacements installe() const { return Emplacements(prog.path(), utilisateur(), false); }

  private slots:
    void init() {
        for (const QString& d : {prog.path(), base.path()})
            for (const QString& n : contenu(d)) {
                QFile::setPermissions(QDir(d).filePath(n),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QDir(QDir(d).filePath(n)).removeRecursively();
                QFile::remove(QDir(d).filePath(n));
            }
    }

    // Permission bits say nothing for root; these folders refuse a new file whoever asks.
    void sonde_data() {
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<bool>("inscriptible");
        QTest::newRow("temporary folder") << QString() << true;
        QTest::newRow("/proc") << QStringLiteral("/proc") << false;
        QTest::newRow("missing folder") << QStringLiteral("/nonexistent/lintrace") << false;
        QTest::newRow("a file") << QStringLiteral("/dev/null") << false;
    }
    void sonde() {
        QFETCH(QString, dossier);
        QFETCH(bool, inscriptible);
        if (dossier.isEmpty()) dossier = prog.path();
        QCOMPARE(dossier_inscriptible(dossier), inscriptible);
        const Emplacements e = Emplacements::pour(dossier);
        QCOMPARE(e.par_utilisateur(), !inscriptible);
        QCOMPARE(e.dossier_ecriture(),
                 inscriptible ? dossier : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QVERIFY(contenu(prog.path()).isEmpty()); // the probe leaves nothing behind
    }

    void dossier_inscriptible_tout_a_cote() {
        aide_test::ecrit_octets(prog.filePath("Lintrac_setup.txt"), "shipped");
        QVERIFY(QDir().mkpath(utilisateur()));
        aide_test::ecrit_octets(QDir(utilisateur()).filePath("Lintrac_setup.txt"), "user");
        const Emplacements e(prog.path(), utilisateur(), true);
        QCOMPARE(e.chemin_ecrit("Lintrac_setup.txt"), prog.filePath("Lintrac_setup.txt"));
        QCOMPARE(e.chemin_lu("Lintrac_setup.txt"), prog.filePath("Lintrac_setup.txt"));
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), prog.path());
        QCOMPARE(contenu(utilisateur()), QStringList{"Lintrac_setup.txt"});
    }

    void installe_lit_l_utilisateur_puis_le_livre() {
        const Emplacements e = installe();
        aide_test::ecrit_octets(prog.filePath("Lintrac_setup.txt"), "shipped");
        QCOMPARE(e.chemin_lu("Lintrac_setup.txt"), prog.filePath("Lintrac_setup.txt"));
        QCOMPARE(e.chemin_lu("absent.txt"), prog.filePath("absent.txt"));
        QVERIFY(!QFileInfo::exists(utilisateur())); // reading makes nothing
        const QString ecrit = e.chemin_ecrit("Lintrac_setup.txt");
        QCOMPARE(ecrit, QDir(utilisateur()).filePath("Lintrac_setup.txt"));
        QVERIFY(QFileInfo(utilisateur()).isDir());
        aide_test::ecrit_octets(ecrit, "user");
        QCOMPARE(aide_test::lit_octets(e.chemin_lu("Lintrac_setup.txt")), QByteArray("user"));
        QCOMPARE(aide_test::lit_octets(prog.filePath("Lintrac_setup.txt")), QByteArray("shipped"));
    }

    void copie_pour_modification() {
        const Emplacements e = installe();
        const QString livre = prog.filePath("Lintrace_lng.en.txt");
        const QString copie = QDir(utilisateur()).filePath("Lintrace_lng.en.txt");
        aide_test::ecrit_octets(livre, "1 Target file\r\n");
        QFile::setPermissions(livre, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), utilisateur());
        QCOMPARE(aide_test::lit_octets(copie), QByteArray("1 Target file\r\n"));
        QVERIFY(QFile::permissions(copie) & QFile::WriteOwner);
        aide_test::ecrit_octets(copie, "1 My file\r\n");
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), utilisateur());
        QCOMPARE(aide_test::lit_octets(copie), QByteArray("1 My file\r\n")); // the user's edit stays
        // Nothing shipped: the user's own file is the one to start.
        QCOMPARE(e.dossier_modification("Lintrace_lng.de.txt"), utilisateur());
        QVERIFY(!QFileInfo::exists(QDir(utilisateur()).filePath("Lintrace_lng.de.txt")));
    }

    void copie_impossible_montre_le_livre() {
        aide_test::ecrit_octets(base.filePath("fichier"), "");
        const Emplacements e(prog.path(), base.filePath("fichier/Lintrace"), false);
        aide_test::ecrit_octets(prog.filePath("Lintrace_lng.en.txt"), "1 Target file\r\n");
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), prog.path());
    }

    void pointeurs_installes() {
        const Emplacements e = installe();
        aide_test::ecrit_octets(prog.filePath(fichier_nom_memorise), "shipped.txt\r\n");
        QCOMPARE(lit_pointeur(e, fichier_nom_memorise), QStringLiteral("shipped.txt"));
        QVERIFY(ecrit_pointeur(e, fichier_nom_memorise, QStringLiteral("run.txt")));
        QCOMPARE(aide_test::lit_octets(QDir(utilisateur()).filePath(fichier_nom_memorise)),
                 QByteArray("run.txt\r\n"));
        QCOMPARE(lit_pointeur(e, fichier_nom_memorise), QStringLiteral("run.txt"));
        QCOMPARE(aide_test::lit_octets(prog.filePath(fichier_nom_memorise)), QByteArray("shipped.txt\r\n"));

        aide_test::ecrit_octets(base.filePath("fichier"), "");
        const Emplacements sans_dossier(prog.path(), base.filePath("fichier/Lintrace"), false);
        QVERIFY(!ecrit_pointeur(sans_dossier, fichier_nom_memorise, QStringLiteral("x")));
    }
};

QTEST_GUILESS_MAIN(TestEmplacements)
#include "test_emplacements.moc"
