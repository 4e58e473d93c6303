#include "helpers.h"
#include "util_rez/config/emplacements.h"

#include <QStandardPaths>
#include <QtTest>

namespace {
QStringList contenu(const QString& dossier) {
    return QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

// A program folder and a per-user folder not made yet, fresh for each test.
struct Dossiers {
    QTemporaryDir prog, base;
    QString utilisateur() const { return base.filePath(QStringLiteral("Lintrace")); }
    Emplacements installe() const { return Emplacements(prog.path(), utilisateur(), false); }
};

class TestEmplacements : public QObject {
    Q_OBJECT

private slots:
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
        Dossiers d;
        if (dossier.isEmpty()) dossier = d.prog.path();
        QCOMPARE(dossier_inscriptible(dossier), inscriptible);
        const Emplacements e = Emplacements::pour(dossier);
        QCOMPARE(e.par_utilisateur(), !inscriptible);
        QCOMPARE(e.dossier_ecriture(),
                 inscriptible ? dossier : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QVERIFY(contenu(d.prog.path()).isEmpty()); // the probe leaves nothing behind
    }

    // Where the program lives decides, not whether root may write there.
    void installe_selon_le_lieu() {
        for (const char* installe : {"/opt/lintrace", "/usr/lib/lintrace/", "/tmp/../opt/lintrace"}) {
            QVERIFY2(programme_installe(installe), installe);
            QVERIFY(Emplacements::pour(installe).par_utilisateur());
        }
        QVERIFY(!programme_installe("/optimum/lintrace"));
    }

    void dossier_inscriptible_tout_a_cote() {
        Dossiers d;
        aide_test::ecrit_octets(d.prog.filePath("Lintrac_setup.txt"), "shipped");
        QVERIFY(QDir().mkpath(d.utilisateur()));
        aide_test::ecrit_octets(QDir(d.utilisateur()).filePath("Lintrac_setup.txt"), "user");
        const Emplacements e(d.prog.path(), d.utilisateur(), true);
        QCOMPARE(e.chemin_ecrit("Lintrac_setup.txt"), d.prog.filePath("Lintrac_setup.txt"));
        QCOMPARE(e.chemin_lu("Lintrac_setup.txt"), d.prog.filePath("Lintrac_setup.txt"));
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), d.prog.path());
        QCOMPARE(contenu(d.utilisateur()), QStringList{"Lintrac_setup.txt"});
    }

    void installe_lit_l_utilisateur_puis_le_livre() {
        Dossiers d;
        const Emplacements e = d.installe();
        aide_test::ecrit_octets(d.prog.filePath("Lintrac_setup.txt"), "shipped");
        QCOMPARE(e.chemin_lu("Lintrac_setup.txt"), d.prog.filePath("Lintrac_setup.txt"));
        QCOMPARE(e.chemin_lu("absent.txt"), d.prog.filePath("absent.txt"));
        QVERIFY(!QFileInfo::exists(d.utilisateur())); // reading makes nothing
        const QString ecrit = e.chemin_ecrit("Lintrac_setup.txt");
        QCOMPARE(ecrit, QDir(d.utilisateur()).filePath("Lintrac_setup.txt"));
        QVERIFY(QFileInfo(d.utilisateur()).isDir());
        aide_test::ecrit_octets(ecrit, "user");
        QCOMPARE(aide_test::lit_octets(e.chemin_lu("Lintrac_setup.txt")), QByteArray("user"));
        QCOMPARE(aide_test::lit_octets(d.prog.filePath("Lintrac_setup.txt")), QByteArray("shipped"));
    }

    void copie_pour_modification() {
        Dossiers d;
        const Emplacements e = d.installe();
        const QString livre = d.prog.filePath("Lintrace_lng.en.txt");
        const QString copie = QDir(d.utilisateur()).filePath("Lintrace_lng.en.txt");
        aide_test::ecrit_octets(livre, "1 Target file\r\n");
        QFile::setPermissions(livre, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), d.utilisateur());
        QCOMPARE(aide_test::lit_octets(copie), QByteArray("1 Target file\r\n"));
        QVERIFY(QFile::permissions(copie) & QFile::WriteOwner);
        aide_test::ecrit_octets(copie, "1 My file\r\n");
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), d.utilisateur());
        QCOMPARE(aide_test::lit_octets(copie), QByteArray("1 My file\r\n")); // the user's edit stays
        // Nothing shipped: the user's own file is the one to start.
        QCOMPARE(e.dossier_modification("Lintrace_lng.de.txt"), d.utilisateur());
        QVERIFY(!QFileInfo::exists(QDir(d.utilisateur()).filePath("Lintrace_lng.de.txt")));
    }

    void copie_impossible_montre_le_livre() {
        Dossiers d;
        aide_test::ecrit_octets(d.base.filePath("fichier"), "");
        const Emplacements e(d.prog.path(), d.base.filePath("fichier/Lintrace"), false);
        aide_test::ecrit_octets(d.prog.filePath("Lintrace_lng.en.txt"), "1 Target file\r\n");
        QCOMPARE(e.dossier_modification("Lintrace_lng.en.txt"), d.prog.path());
    }
};

QTEST_GUILESS_MAIN(TestEmplacements)
#include "test_emplacements.moc"
