#include "util_rez/shell/ecran.h"
#include "util_rez/shell/place_texte.h"
#include "util_rez/shell/titre.h"

#include <QFontMetrics>
#include <QtTest>

// How two sessions tell themselves apart: their frames on the screen halves, their names,
// their titles.
class TestSession : public QObject {
    Q_OBJECT
  private slots:
    // The frame fills the half, title bar included; without a frame nothing changes.
    void cadres_data() {
        QTest::addColumn<QRect>("cadre");
        QTest::addColumn<QMargins>("marges");
        QTest::addColumn<QRect>("client");
        QTest::addColumn<bool>("bas");
        const QRect ecran(0, 0, 1280, 1024);
        QTest::newRow("#1 without frame") << cadre_session_depart(ecran, false) << QMargins() << QRect(0, 0, 1280, 492) << false;
        QTest::newRow("#2 without frame") << cadre_session_depart(ecran, true) << QMargins() << QRect(0, 492, 1280, 492) << true;
        QTest::newRow("#2 under a title bar") << cadre_session_depart(ecran, true) << QMargins(1, 24, 1, 4)
                                              << QRect(1, 516, 1278, 464) << true;
        QTest::newRow("bottom button, odd half") << cadre_demi_ecran(30, 900, 520, true) << QMargins(2, 20, 2, 2)
                                                 << QRect(32, 540, 896, 498) << true;
        QTest::newRow("top button") << cadre_demi_ecran(30, 900, 520, false) << QMargins(2, 20, 2, 2)
                                    << QRect(32, 20, 896, 498) << false;
    }
    void cadres() {
        QFETCH(QRect, cadre);
        QFETCH(QMargins, marges);
        QFETCH(QRect, client);
        QFETCH(bool, bas);
        QCOMPARE(client_pour_cadre(cadre, marges), client);
        QCOMPARE(client.marginsAdded(marges), cadre);
        QCOMPARE(cadre_en_bas(cadre), bas);
    }

    // As large as the place allows up to 33 pixels, on one line or two, cut short only below 13.
    void taille_du_nom_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("lignes"); // 0: cut short
        QTest::newRow("short") << "TOP" << 1;
        QTest::newRow("two words") << "Bench North" << 2;
        QTest::newRow("one word, smaller") << "Pumps" << 1;
        QTest::newRow("too long at 13 pixels") << "Pump bench 12 - night run of the cold loop" << 0;
    }
    void taille_du_nom() {
        QFETCH(QString, nom);
        QFETCH(int, lignes);
        QFont police(QStringLiteral("Liberation Sans"));
        police.setBold(true);
        police.setPixelSize(33);
        const QSize place(69, 63);
        const NomAjuste a = ajuste_nom(police, nom, place, 13);
        QCOMPARE(a.coupe ? 0 : a.deux_lignes ? 2 : 1, lignes);
        const int taille = a.police.pixelSize();
        QVERIFY(taille >= 13 && taille <= 33);
        QCOMPARE(taille == 33, nom == QStringLiteral("TOP"));
        if (a.coupe) QCOMPARE(taille, 13);
        // One pixel larger would not fit, neither on one line nor on two.
        if (!a.coupe && taille < 33) {
            police.setPixelSize(taille + 1);
            QVERIFY(ajuste_nom(police, nom, place, taille + 1).coupe);
        }
    }

    void titre_data() {
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("titre");
        QTest::newRow("session and file") << "Bench North" << "/data/run.txt" << "Bench North – run.txt – Lintrace";
        QTest::newRow("file alone") << "" << "run.txt" << "run.txt – Lintrace";
        QTest::newRow("session alone") << "Bench South" << "" << "Bench South – Lintrace";
        QTest::newRow("blank name") << "  " << "" << "Lintrace";
    }
    void titre() {
        QFETCH(QString, session);
        QFETCH(QString, cible);
        QFETCH(QString, titre);
        QCOMPARE(titre_fenetre(session, cible), titre);
    }
};

QTEST_MAIN(TestSession)
#include "test_session.moc"
