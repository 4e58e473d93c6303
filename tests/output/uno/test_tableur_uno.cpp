#include "classeur_lu.h"
#include "helpers.h"
#include "office.h"

#include "util_rez/output/plan_tableur.h"
#include "util_rez/output/uno/tableur_uno.h"

#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <memory>

namespace {

const QString modele = QStringLiteral(LINTRACE_BIN_DIR "/Lintrace_.xl0");
using Attendu = QMap<QPair<int, int>, QString>;

// Texts an office might take for something else than a text if it were given the chance.
const QList<QStringList> rangs_delicats = {
    {"0,5", "1E-5", "=1+1", "'quoted", " spaced ", "12/03/2024", "-0", "1.5E20", "TRUE"},
    {"0.0001", "-20,25", "N/A", "#REF!", "100%", "1e3", "€5", "+7", "x"},
};

QList<QList<ValeurCellule>> valeurs(const QList<QStringList>& rangs) {
    QList<QList<ValeurCellule>> v;
    for (const QStringList& r : rangs)
        v.append(QList<ValeurCellule>(r.begin(), r.end()));
    return v;
}

Attendu attendu_de(const QList<CelluleTableur>& cellules, int ligne, const QList<QStringList>& rangs) {
    Attendu a;
    for (const CelluleTableur& c : cellules)
        a[{c.ligne, c.colonne}] = c.texte;
    for (qsizetype r = 0; r < rangs.size(); ++r)
        for (qsizetype c = 0; c < rangs[r].size(); ++c)
            a[{ligne + int(r), 1 + int(c)}] = rangs[r][c];
    return a;
}

// A program folder where "soffice" starts and then goes away without ever answering.
void office_muet(const QString& dossier) {
    const QDir programme(QStringLiteral("/usr/lib/libreoffice/program"));
    for (const QString& n : programme.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (n != QLatin1String("soffice"))
            QFile::link(programme.filePath(n), dossier + u'/' + n);
    aide_test::ecrit_octets(dossier + QStringLiteral("/soffice"), "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(dossier + QStringLiteral("/soffice"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// One session's export, run as a process of its own: load, fill, store a copy.
int session(const QString& classeur, const QString& copie, const QString& texte) {
    try {
        TableurUno t;
        t.connecte(true);
        t.ouvre(classeur);
        t.ecrit(1, 1, texte);
        t.ecrit_bloc(7, 1, valeurs(rangs_delicats));
        t.enregistre_copie(copie);
        t.ferme_document();
        // The export is done and its copy stored. Now and then LibreOffice's bridge thread
        // crashes while this process tears the connection down (seen under ASan); that teardown
        // is not what the two sessions are here to show.
        std::fflush(nullptr);
        std::_Exit(0);
    } catch (const ErreurTableur& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.texte()));
        return 1;
    }
}

} // namespace

class TestTableurUno : public QObject {
    Q_OBJECT
    aide_test::ProfilOffice profil;
    QTemporaryDir dossier;
    std::unique_ptr<TableurUno> tableur;

    QString copie_du_modele(const QString& nom) {
        const QString c = dossier.filePath(nom);
        QFile::remove(c);
        if (!QFile::copy(modele, c))
            qFatal("cannot copy the template");
        return c;
    }

  private slots:
    void initTestCase() {
        QVERIFY(uno_disponible());
        profil.pour_ce_processus();
        tableur = std::make_unique<TableurUno>();
        tableur->connecte(true);
    }
    void aller_retour_de_chaque_cellule() {
        tableur->connecte(true);
        tableur->ouvre(copie_du_modele(QStringLiteral("Lintrace_.xls")));
        const QList<CelluleTableur> cellules = {{1, 1, "Bench 3 - run 1"},
                                                {2, 1, "Operator: JM"},
                                                {1, 11, "Stopped"},
                                                {2, 11, "Count Summary"},
                                                {3, 11, "a comment, with \"quotes\""},
                                                {6, 1, "Runtime"},
                                                {6, 2, "T1"},
                                                {6, 9, "T3 - T1"},
                                                {1, 9, "2"}};
        for (const CelluleTableur& c : cellules)
            QVERIFY(tableur->ecrit(c.ligne, c.colonne, c.texte));
        tableur->ecrit_bloc(7, 1, valeurs(rangs_delicats));
        const QString ods = dossier.filePath(QStringLiteral("stored.ods"));
        tableur->enregistre_copie(ods);
        tableur->ferme_document();
        const QString d = aide_test::difference(aide_test::feuille_par_office(ods),
                                                attendu_de(cellules, 7, rangs_delicats));
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }
    // Texts stay texts and numbers numbers, in one block write as cell by cell.
    void bloc_ecrit_comme_cellule_par_cellule() {
        QList<QList<ValeurCellule>> rangs = valeurs(rangs_delicats);
        const auto n = [](double v) { return ValeurCellule(v); };
        for (int r = 0; r < 300; ++r)
            rangs.append({n(r * 0.5), n(-1.5e-7), QString(), QStringLiteral("x"), n(0), n(1), n(2), n(3), n(4)});
        const auto ecrit = [&](const QString& nom, bool par_cellule) {
            tableur->connecte(true);
            tableur->ouvre(copie_du_modele(nom + QStringLiteral(".xls")));
            tableur->ecrit(3, 3, QStringLiteral("kept"));
            if (par_cellule)
                tableur->Tableur::ecrit_bloc(3, 2, rangs);
            else
                tableur->ecrit_bloc(3, 2, rangs);
            const QString ods = dossier.filePath(nom + QStringLiteral(".ods"));
            tableur->enregistre_copie(ods);
            tableur->ferme_document();
            return aide_test::feuille_par_office(ods);
        };
        const auto une_a_une = ecrit(QStringLiteral("cell"), true);
        const auto en_bloc = ecrit(QStringLiteral("range"), false);
        QCOMPARE(en_bloc.size(), 2 + rangs.size());
        QCOMPARE(en_bloc.size(), une_a_une.size());
        for (qsizetype r = 0; r < en_bloc.size(); ++r) {
            QCOMPARE(en_bloc[r].size(), une_a_une[r].size());
            for (qsizetype c = 0; c < en_bloc[r].size(); ++c) {
                QCOMPARE(en_bloc[r][c].texte, une_a_une[r][c].texte);
                QCOMPARE(en_bloc[r][c].texte_cite, une_a_une[r][c].texte_cite);
            }
        }
        QCOMPARE(en_bloc[2][2].texte, QStringLiteral("1E-5")); // the block went over C3
        const auto nombre = [&](int r, int c) {
            const aide_test::CelluleCsv& x = en_bloc[r][c];
            return x.texte_cite ? NAN : QLocale::c().toDouble(QString(x.texte).replace(u',', u'.'));
        };
        QCOMPARE(nombre(5, 1), 0.5);
        QCOMPARE(nombre(5, 2), -1.5e-7);
        QCOMPARE(nombre(303, 5), 0.0);
    }
    void pas_un_classeur_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("cause");
        QTest::newRow("text, never handed to the office")
            << aide_test::echantillon("fini.txt") << int(ErreurTableur::Cause::PasClasseur);
        QTest::newRow("zip the office cannot load")
            << aide_test::zip_d_un_fichier("notes/readme.txt", "hello")
            << int(ErreurTableur::Cause::Chargement);
    }
    void pas_un_classeur() {
        QFETCH(QByteArray, contenu);
        QFETCH(int, cause);
        const QString faux = dossier.filePath(QStringLiteral("other.xls"));
        aide_test::ecrit_octets(faux, contenu);
        tableur->connecte(true);
        try {
            tableur->ouvre(faux);
            QFAIL("a text file was taken for a workbook");
        } catch (const ErreurTableur& e) {
            QCOMPARE(int(e.cause()), cause);
            QCOMPARE(e.chemin(), faux);
        }
        QVERIFY(!tableur->ecrit(1, 1, QStringLiteral("x"))); // no sheet is selected
    }
    void deuxieme_export_du_meme_classeur() {
        // The document of the first export stays open in the office, as the user left it.
        const QString classeur = copie_du_modele(QStringLiteral("twice.xls"));
        tableur->connecte(true);
        tableur->ouvre(classeur);
        QVERIFY(tableur->ecrit(1, 1, QStringLiteral("first")));
        tableur->connecte(true);
        tableur->ouvre(classeur);
        QVERIFY(tableur->ecrit(1, 1, QStringLiteral("second")));
        const QString ods = dossier.filePath(QStringLiteral("twice.ods"));
        tableur->enregistre_copie(ods);
        QCOMPARE(aide_test::feuille_par_office(ods).value(0).value(0).texte, QStringLiteral("second"));
    }
    void deux_sessions_en_meme_temps() {
        // Both load the one workbook at the same moment, into the same office.
        const QString classeur = copie_du_modele(QStringLiteral("shared.xls"));
        QList<QProcess*> sessions;
        for (int n = 1; n <= 2; ++n) {
            auto* p = new QProcess(this);
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--session"), classeur,
                      dossier.filePath(QStringLiteral("s%1.ods").arg(n)),
                      QStringLiteral("session %1").arg(n)});
            sessions << p;
        }
        for (QProcess* p : sessions) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
        }
        for (int n = 1; n <= 2; ++n) {
            const auto f = aide_test::feuille_par_office(dossier.filePath(QStringLiteral("s%1.ods").arg(n)));
            QCOMPARE(f.value(0).value(0).texte, QStringLiteral("session %1").arg(n));
            QCOMPARE(f.value(7).value(8).texte, rangs_delicats[1][8]);
        }
    }
    void office_ferme_entre_deux_exports() {
        tableur->connecte(true);
        for (qint64 pid : aide_test::processus_du_profil(profil.url().toUtf8()))
            ::kill(static_cast<pid_t>(pid), SIGKILL); // as if the user had quit it
        QTRY_VERIFY_WITH_TIMEOUT(aide_test::processus_du_profil(profil.url().toUtf8()).isEmpty(), 20000);
        tableur->connecte(true); // started again
        tableur->ouvre(copie_du_modele(QStringLiteral("again.xls")));
        QVERIFY(tableur->ecrit(1, 1, QStringLiteral("again")));
        tableur->ferme_document();
    }
    void office_absent() {
        qputenv("UNO_PATH", dossier.filePath(QStringLiteral("nowhere")).toUtf8());
        TableurUno t;
        try {
            t.connecte(true);
            QFAIL("connected to no office");
        } catch (const ErreurTableur& e) {
            QCOMPARE(e.cause(), ErreurTableur::Cause::Demarrage);
            QVERIFY(!e.detail().isEmpty());
        }
        qunsetenv("UNO_PATH");
    }
    // Last: the call that never returns stays blocked in this process for good.
    void office_qui_ne_repond_pas() {
        QTemporaryDir muet;
        office_muet(muet.path());
        qputenv("UNO_PATH", muet.path().toUtf8());
        TableurUno t({2000, 2000});
        int tics = 0;
        QTimer minuteur;
        connect(&minuteur, &QTimer::timeout, this, [&] { ++tics; });
        minuteur.start(100);
        QElapsedTimer chrono;
        chrono.start();
        try {
            t.connecte(true);
            QFAIL("connected to a silent office");
        } catch (const ErreurTableur& e) {
            QCOMPARE(e.cause(), ErreurTableur::Cause::Delai);
        }
        qunsetenv("UNO_PATH");
        QVERIFY(chrono.elapsed() < 10000);
        QVERIFY2(tics >= 10, qPrintable(QString::number(tics))); // the caller's loop went on
    }
    void cleanupTestCase() {
        tableur->arrete_office();
        tableur.reset();
        profil.attend_la_fin(20000);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.value(1) == QLatin1String("--session"))
        return session(a.value(2), a.value(3), a.value(4));
    TestTableurUno t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_tableur_uno.moc"
