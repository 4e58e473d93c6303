#include "helpers.h"
#include "util_rez/config/langue.h"
#include "util_rez/config/setup.h"
#include "util_rez/shell/couleurs.h"
#include "util_rez/shell/ecran.h"

#include <QtTest>

class TestReglages : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString chemin() const { return dir.filePath(nom_fichier_setup); }

private slots:
    void defauts_ecrits_tels_quels() {
        QString raison;
        QVERIFY(ecrit_setup(chemin(), ReglagesSetup{}, raison));
        QCOMPARE(aide_test::lit_octets(chemin()),
                 QByteArray("5\r\n2\r\n2\r\n,\r\nID1\r\nID3\r\nFALSE\r\n0\r\n-2147483633\r\n-2147483633\r\n60\r\n"));
        const LectureSetup lu = lit_setup(chemin(), ReglagesSetup{});
        QVERIFY(lu.fichier_present && !lu.erreur);
        QCOMPARE(lu.lignes_appliquees, 11);
        QCOMPARE(lu.reglages.couleur_haut, couleur_face_bouton);
    }
    void echec_garde_l_ancien_fichier() {
        const QByteArray avant("9\r\n0\r\n");
        aide_test::ecrit_octets(chemin(), avant);
        QString raison;
        bool ecrit = true;
        {
            aide_test::LimiteTailleFichier limite(4);
            ecrit = ecrit_setup(chemin(), ReglagesSetup{}, raison);
        }
        QVERIFY(!ecrit);
        QVERIFY(!raison.isEmpty());
        QCOMPARE(aide_test::lit_octets(chemin()), avant);
    }
    void fichier_absent() {
        const LectureSetup lu = lit_setup(dir.filePath("none.txt"), ReglagesSetup{});
        QVERIFY(!lu.fichier_present);
        QCOMPARE(lu.lignes_appliquees, 0);
    }
    void lecture_complete() {
        aide_test::ecrit_octets(chemin(), "10\r\n0\r\n3\r\n.\r\n top  \r\nB\r\nTRUE\r\n1\r\n255\r\n16711680\r\n120\r\nextra\r\n");
        const LectureSetup lu = lit_setup(chemin(), ReglagesSetup{});
        QVERIFY(!lu.erreur);
        QCOMPARE(lu.reglages.periode, QStringLiteral("10"));
        QCOMPARE(lu.reglages.langue, 0);
        QCOMPARE(lu.reglages.nom_haut, QStringLiteral(" top  "));
        QVERIFY(lu.reglages.son);
        QCOMPARE(lu.reglages.tableur, 1);
        QCOMPARE(lu.reglages.couleur_bas, 0xFF0000);
        QCOMPARE(lu.reglages.fenetre, QStringLiteral("120"));
    }
    void son_seulement_TRUE() {
        for (const char* l : {"true", "True", "TRUE ", "1"}) {
            aide_test::ecrit_octets(chemin(), QByteArray("5\n2\n2\n,\nA\nB\n") + l + "\n0\n0\n0\n");
            const LectureSetup lu = lit_setup(chemin(), ReglagesSetup{});
            QVERIFY2(!lu.reglages.son, l);
            QCOMPARE(lu.reglages.fenetre, QStringLiteral("60")); // an older file of ten lines
        }
    }
    void arret_a_la_ligne_entiere_fausse_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("appliquees");
        QTest::addColumn<QString>("erreur");
        QTest::newRow("seven lines") << QByteArray("7\r\n1\r\n4\r\n.\r\nA\r\nB\r\nTRUE\r\n") << 7
                                     << "'' is not a valid integer value.";
        QTest::newRow("bad language") << QByteArray("7\r\nxx\r\n4\r\n") << 1 << "'xx' is not a valid integer value.";
        QTest::newRow("bad colour") << QByteArray("7\n1\n4\n.\nA\nB\nTRUE\n1\n12a\n0\n") << 8
                                    << "'12a' is not a valid integer value.";
    }
    void arret_a_la_ligne_entiere_fausse() {
        QFETCH(QByteArray, contenu);
        QFETCH(int, appliquees);
        QFETCH(QString, erreur);
        aide_test::ecrit_octets(chemin(), contenu);
        const LectureSetup lu = lit_setup(chemin(), ReglagesSetup{});
        QCOMPARE(lu.lignes_appliquees, appliquees);
        QCOMPARE(lu.erreur ? lu.erreur->texte() : QString(), erreur);
        QCOMPARE(lu.reglages.periode, QStringLiteral("7"));
        QCOMPARE(lu.reglages.couleur_bas, couleur_face_bouton);
    }
    void index_bornes() {
        QCOMPARE(borne_index(7, 4), 3);
        QCOMPARE(borne_index(-5, 4), -1);
        QCOMPARE(borne_index(-1, 2), -1);
        QCOMPARE(nom_fichier_langue(3), QStringLiteral("Lintrace_lng.de.txt"));
        QCOMPARE(nom_fichier_langue(-1), QString());
        QCOMPARE(nom_fichier_aide(0), QStringLiteral("Lintrace_help.fr.txt"));
    }
    void table_de_langue() {
        TableLangue t;
        QCOMPARE(t.texte_message(1), QStringLiteral("ww(1)=?"));
        const QStringList maitre{"' comment", "1 Fichier", "", "   ", "2    Titre  ", "3", "4 Quatre"};
        t.charge_maitre(maitre, false);
        QCOMPARE(t.texte_message(0), QStringLiteral(" "));
        QCOMPARE(t.texte_message(1), QStringLiteral("Fichier"));
        QCOMPARE(t.texte_message(2), QStringLiteral("   Titre"));
        QCOMPARE(t.texte_message(3), QString());
        QCOMPARE(t.texte_message(5), QStringLiteral("ww(5)=?"));
        QCOMPARE(t.texte_message(999), QStringLiteral("ww(999)=?"));
        t.charge_surcouche({"1 File", "'x", "2 Title", "3 Three", "4 Four", "5 Five"}, false);
        QCOMPARE(t.lignes(), (QStringList{" ", "File", "Title", "Three", "Four"}));
        t.charge_maitre(maitre, true);
        t.charge_surcouche({"1 File"}, true);
        QCOMPARE(t.texte_message(1), QStringLiteral("1 File"));
        QCOMPARE(t.texte_message(2), QStringLiteral("2    Titre"));
    }
    void couleurs() {
        QPalette p;
        p.setColor(QPalette::Button, QColor(1, 2, 3));
        QCOMPARE(couleur_depuis_code(couleur_face_bouton, p), QColor(1, 2, 3));
        QCOMPARE(couleur_depuis_code(0xFF0000, p), QColor(0, 0, 255));
        QCOMPARE(code_depuis_couleur(QColor(0, 0, 255)), 0xFF0000);
        QCOMPARE(code_depuis_couleur(QColor(165, 165, 165)), 165 + 165 * 256 + 165 * 65536);
    }
    void barre_des_taches_data() {
        QTest::addColumn<QRect>("disponible");
        QTest::addColumn<int>("barre");
        QTest::addColumn<int>("demi");
        const QRect e(0, 0, 1920, 1080);
        QTest::newRow("bottom panel") << QRect(0, 0, 1920, 1040) << 40 << 520;
        QTest::newRow("odd usable height") << QRect(0, 39, 1920, 1041) << 39 << 520;
        QTest::newRow("no panel") << e << -1 << 540;
        QTest::newRow("side panel takes no height") << QRect(60, 0, 1860, 1080) << -1 << 540;
        QTest::newRow("top and side") << QRect(60, 32, 1860, 1048) << 32 << 524;
    }
    void barre_des_taches() {
        QFETCH(QRect, disponible);
        QFETCH(int, barre);
        QFETCH(int, demi);
        const QRect e(0, 0, 1920, 1080);
        QCOMPARE(hauteur_barre_taches(e, disponible), barre);
        QCOMPARE(hauteur_demi_ecran(e, barre), demi);
    }
};

QTEST_GUILESS_MAIN(TestReglages)
#include "test_reglages.moc"
