#include "fenetre.h"

#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/remplit_tableau.h"

#include <QProcess>
#include <QtTest>
#include <cmath>
#include <cstring>

namespace {

// Every record the writer writes holds k * 0.02, then k to k + 5: a row that does not is a
// value that was never in the file.
bool rangee_ecrite(const Tableau& t, int i) {
    const double k = t(2, i);
    if (k < 0 || k != std::floor(k) || std::fabs(t(1, i) - k * 0.02) > 1e-6) return false;
    for (int c = 3; c <= 7; ++c)
        if (t(c, i) != k + (c - 2)) return false;
    return t(8, i) == t(7, i) - t(5, i) && t(9, i) == t(7, i) - t(3, i);
}

int env(const char* nom, int defaut) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(nom, &ok);
    return ok && v > 0 ? v : defaut;
}

} // namespace

// A logger and the window at once: the writer appends at 50 Hz and does to the file all that
// happens to files, while the window follows it once a second with real timer ticks. The
// window never shows a value that was not written, never opens a box on a box, and once the
// writer has stopped, its table is the file's. LINTRACE_COURSE_PHASE_MS and
// LINTRACE_COURSE_TOURS make it a soak (tools/soak.sh).
class TestWindowCourse : public QObject {
    Q_OBJECT
  private slots:
    void ecrivain_et_fenetre() {
        const int phase_ms = env("LINTRACE_COURSE_PHASE_MS", 2000);
        const int tours = env("LINTRACE_COURSE_TOURS", 1);
        Session s;
        const QString cible = s.chemin("race.txt");
        QProcess ecrivain;
        ecrivain.start(QStringLiteral(LINTRACE_ECRIVAIN_COURSE),
                       {cible, QString::number(phase_ms), QString::number(tours)});
        QVERIFY(ecrivain.waitForStarted());
        QTRY_VERIFY(QFileInfo(cible).size() > 0);

        int ouvertes = 0, au_plus = 0, messages = 0;
        TForm1& f = s.demarre({cible}, [&](PlateformeTest& p) {
            // A box stays open a while, as a person takes time to read it; ticks go on meanwhile.
            p.pendant_message = [&] {
                ++messages;
                au_plus = std::max(au_plus, ++ouvertes);
                QTest::qWait(1500);
                --ouvertes;
            };
        });
        f.Edit5->setText(QStringLiteral("1"));
        int ticks = 0, fausses = 0, vues = 0;
        connect(f.Timer1, &QTimer::timeout, &f, [&] {
            ++ticks;
            for (int i = 1; i <= f.nb_enreg; ++i, ++vues)
                fausses += !rangee_ecrite(*f.tableau, i);
        });
        while (ecrivain.state() != QProcess::NotRunning)
            QTest::qWait(200);
        QCOMPARE(ecrivain.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ecrivain.exitCode(), 0);

        // Stopped: within a few ticks the table is the file's records, one load of it.
        Tableau attendu;
        const ResultatParse r = ::remplit_tableau(lit_fichier_texte(cible).lignes, attendu);
        QVERIFY(r.arrete && r.nb_enreg > 0);
        QTRY_VERIFY_WITH_TIMEOUT(f.arrete && f.nb_enreg == r.nb_enreg, 5000);
        for (int c = 1; c <= nb_colonnes_lues; ++c)
            QVERIFY(std::memcmp(f.tableau->colonne(c) + 1, attendu.colonne(c) + 1, sizeof(double) * r.nb_enreg) == 0);
        QCOMPARE(fausses, 0);
        QCOMPARE(au_plus, 1);
        QVERIFY(messages >= 1); // the pipe, the device and the missing file were told
        qInfo("race: %s, %d ticks, %d reloads, %d messages, %d rows checked, %d mismatches",
              ecrivain.readAllStandardOutput().trimmed().constData(), ticks, f.nb_chargements, messages, vues,
              fausses);
    }
};

QTEST_MAIN(TestWindowCourse)
#include "test_window_course.moc"
