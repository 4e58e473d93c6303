#include "util_rez/shell/ecran.h"
#include "util_rez/shell/place_texte.h"
#include "util_rez/shell/titre.h"

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
        const QRect ecran(0, 0, 1280, 1024);
        QTest::newRow("#1, no frame")
            << cadre_session_depart(ecran, false) << QMargins() << QRect(0, 0, 1280, 492);
        QTest::newRow("#2, title bar")
            << cadre_session_depart(ecran, true) << QMargins(1, 24, 1, 4) << QRect(1, 516, 1278, 464);
        QTest::newRow("bottom button")
            << cadre_demi_ecran(30, 900, 520, true) << QMargins(2, 20, 2, 2) << QRect(32, 540, 896, 498);
    }
    void cadres() {
        QFETCH(QRect, cadre);
        QFETCH(QMargins, marges);
        QFETCH(QRect, client);
        QCOMPARE(client_pour_cadre(cadre, marges), client);
        QCOMPARE(cadre_en_bas(cadre), cadre.top() > 0);
    }

    // As large as the place allows up to 33 pixels, on one line or two, cut short only below 13.
    void taille_du_nom_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("lignes"); // 0: cut short
        QTest::newRow("short") << "TOP" << 1;
        QTest::newRow("two words") << "Bench North" << 2;
        QTest::newRow("too long at 13 pixels") << "Pump bench 12 - night run of the cold loop" << 0;
    }
    void taille_du_nom() {
        QFETCH(QString, nom);
        QFETCH(int, lignes);
        QFont police(QStringLiteral("Liberation Sans"));
        police.setBold(true);
        police.setPixelSize(33);
        const NomAjuste a = ajuste_nom(police, nom, {69, 63}, 13);
        QCOMPARE(a.coupe ? 0 : a.deux_lignes ? 2 : 1, lignes);
        const int taille = a.police.pixelSize();
        QCOMPARE(taille == 33, nom == QStringLiteral("TOP"));
        QCOMPARE(taille == 13, a.coupe);
        police.setPixelSize(taille + 1); // one pixel larger fits neither way
        QVERIFY(taille == 33 || a.coupe || ajuste_nom(police, nom, {69, 63}, taille + 1).coupe);
    }

    void titre() {
        QCOMPARE(titre_fenetre("Bench North", "/data/run.txt"),
                 QStringLiteral("Bench North – run.txt – Lintrace"));
        QCOMPARE(titre_fenetre("  ", "run.txt"), QStringLiteral("run.txt – Lintrace"));
        QCOMPARE(titre_fenetre("", ""), QStringLiteral("Lintrace"));
    }
};

QTEST_MAIN(TestSession)
#include "test_session.moc"
