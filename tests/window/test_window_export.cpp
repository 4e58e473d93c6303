#include "cible_essai.h"
#include "fenetre.h"

#include "util_rez/files/fichier_texte.h"

#include <QClipboard>
#include <QtTest>

namespace {

QByteArray fichier(bool arrete) {
    return aide_test::CibleEssai{.titre = "Température",
                                 .operateur = "Op",
                                 .noms = "Runtime A B",
                                 .donnees = {"0.5 1.5 2", "1.0 3 4"},
                                 .arrete = arrete,
                                 .resume = QStringList{},
                                 .latin1 = true}
        .octets();
}

QString presse_papier() {
    return QGuiApplication::clipboard()->text();
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
  private slots:
    void fichier_et_presse_papier() {
        Session s;
        TForm1& f = s.demarre_sur("run.txt", fichier(true));
        f.Memo3->setPlainText(QStringLiteral("Öl"));
        f.Edit4->setText(QStringLiteral(","));
        f.SpeedButton10->click();
        const QByteArray ecrit = aide_test::lit_octets(s.chemin("presse_papier.xls"));
        QCOMPARE(ecrit, QByteArray("Temp\xe9rature\r\nOp\r\n1.0 3 4\r\nStopped\r\n\xd6l\r\n\r\n\r\n"
                                   "Runtime\tA\tB\t\t\t\t\r\n0,5\t1,5\t2\t\t\t\t\r\n"));
        QCOMPARE(presse_papier(), QString::fromLatin1(ecrit));
        QCOMPARE(s.plateforme->messages,
                 QStringList{"\n" + f.texte_message(32) + "\n" + s.chemin("presse_papier.xls") + "\n"});
    }
    // Declined, nothing is written, copied or reported, whatever an earlier export left.
    void avant_stopped_data() {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QByteArray>("ancien"); // empty: no earlier export
        const QByteArray ancien("earlier\r\n");
        QTest::newRow("declined, earlier export") << int(QMessageBox::No) << ancien;
        QTest::newRow("declined, no earlier export") << int(QMessageBox::No) << QByteArray();
        QTest::newRow("accepted") << int(QMessageBox::Yes) << ancien;
    }
    void avant_stopped() {
        QFETCH(int, reponse);
        QFETCH(QByteArray, ancien);
        const bool ecrit = reponse == QMessageBox::Yes;
        Session s;
        const QString exporte = s.chemin("presse_papier.xls");
        if (!ancien.isEmpty()) aide_test::ecrit_octets(exporte, ancien);
        TForm1& f = s.demarre_sur("run.txt", fichier(false));
        f.Edit4->setText(QStringLiteral("."));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        s.plateforme->reponses.push_back(QMessageBox::StandardButton(reponse));
        f.SpeedButton10->click();
        QCOMPARE(s.plateforme->messages.value(0), f.texte_message(31));
        QCOMPARE(s.plateforme->messages.size(), ecrit ? 2 : 1);
        const QByteArray lu = aide_test::lit_octets(exporte);
        QCOMPARE(lu == ancien, !ecrit);
        QVERIFY(!ecrit || lu.endsWith("0.5\t1.5\t2\t\t\t\t\r\n"));
        QCOMPARE(presse_papier(), ecrit ? QString::fromLatin1(lu) : QStringLiteral("before"));
        if (ecrit)
            QCOMPARE(s.plateforme->messages.last(),
                     "\n" + f.texte_message(32) + "\n" + s.chemin("presse_papier.xls") + "\n");
    }
    // A long run's table is written off the window's thread: the window goes on meanwhile.
    void la_fenetre_continue() {
        Session s;
        TForm1& f = s.demarre_sur("run.txt",
                                  aide_test::CibleEssai{.enregistrements = 400000, .arrete = true}.octets());
        int tics = 0;
        QTimer minuteur;
        connect(&minuteur, &QTimer::timeout, this, [&tics] { ++tics; });
        minuteur.start(1);
        f.SpeedButton10->click();
        QVERIFY2(tics >= 2, qPrintable(QString::number(tics)));
        QVERIFY(aide_test::lit_octets(s.chemin("presse_papier.xls")).endsWith("\t6\r\n"));
    }
    void echec_d_ecriture_sans_presse_papier_perime() {
        Session s;
        QVERIFY(QDir(s.dossier.path()).mkdir("presse_papier.xls")); // cannot be written as a file
        TForm1& f = s.demarre_sur("run.txt", fichier(true));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        f.SpeedButton10->click();
        QCOMPARE(s.plateforme->messages.size(), 1);
        const QString attendu = f.texte_message(109) + "\n" + s.chemin("presse_papier.xls") + "\n";
        QVERIFY(s.plateforme->messages.first().startsWith(attendu));
        QCOMPARE(presse_papier(), QStringLiteral("before"));
    }
};

QTEST_MAIN(TestExport)
#include "test_window_export.moc"
