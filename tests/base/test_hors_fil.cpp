#include "util_rez/base/erreur.h"
#include "util_rez/base/hors_fil.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <memory>
#include <thread>

using namespace std::chrono_literals;

class TestHorsFil : public QObject {
    Q_OBJECT
  private slots:
    void la_boucle_tourne_pendant_l_attente() {
        int tics = 0;
        QTimer t;
        connect(&t, &QTimer::timeout, this, [&] { ++tics; });
        t.start(20);
        const auto fin = attend_hors_fil([] { std::this_thread::sleep_for(300ms); }, 5000);
        QCOMPARE(fin, FinAttente::Fini);
        QVERIFY2(tics >= 5, qPrintable(QString::number(tics)));
    }
    void delai_depasse_rend_la_main() {
        auto termine = std::make_shared<std::atomic<bool>>(false);
        QElapsedTimer chrono;
        chrono.start();
        const auto fin = attend_hors_fil(
            [termine] {
                std::this_thread::sleep_for(1500ms);
                *termine = true;
            },
            100);
        QCOMPARE(fin, FinAttente::Delai);
        QVERIFY(chrono.elapsed() < 1000);
        QVERIFY(!*termine);
        QTRY_VERIFY_WITH_TIMEOUT(*termine, 5000); // the late work still ends on its own
    }
    void erreur_relancee_chez_l_appelant() {
        try {
            attend_hors_fil([] { throw ErreurRez(QStringLiteral("office gone")); }, 5000);
            QFAIL("no exception");
        } catch (const ErreurRez& e) {
            QCOMPARE(e.texte(), QStringLiteral("office gone"));
        }
    }
    // Last: once the program is told to quit, every later wait ends at once.
    void fin_du_programme_interrompt() {
        QTimer::singleShot(50, [] { QCoreApplication::exit(0); });
        const auto fin = attend_hors_fil([] { std::this_thread::sleep_for(2s); }, 10000);
        QCOMPARE(fin, FinAttente::Interrompu);
    }
};

QTEST_GUILESS_MAIN(TestHorsFil)
#include "test_hors_fil.moc"
