#include "helpers.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/commentaire.h"

#include <QtTest>

class TestCommentaire : public QObject {
    Q_OBJECT
  private slots:
    void fin_cible_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("affichees");
        QTest::addColumn<QByteArray>("gardes");
        const QByteArray fini = aide_test::echantillon("fini.txt");
        QTest::newRow("no block") << fini << 11 << fini;
        QTest::newRow("old block replaced") << aide_test::echantillon("commentaire.txt") << 11 << fini;
        QTest::newRow("empty old block") << fini + "\r\n    Comment\r\n" << 11 << fini;
        QTest::newRow("own line breaks and BOM kept")
            << QByteArray("\xef\xbb\xbf\"h\"\n\"x\"\r\"Stopped\"\n\nComment\n") << 3
            << QByteArray("\xef\xbb\xbf\"h\"\n\"x\"\r\"Stopped\"\n");
        QTest::newRow("last line without a break gets one")
            << QByteArray("\"a\"\r\n\"Stopped\"") << 2 << QByteArray("\"a\"\r\n\"Stopped\"\r\n");
        const QByteArray inacheve = aide_test::echantillon("inacheve.txt");
        QTest::newRow("unfinished line held back by the load stays") << inacheve << 7 << inacheve + "\r\n";
        QTest::newRow("empty file") << QByteArray() << 0 << QByteArray();
    }
    // What a save keeps, and what it appends after that.
    void fin_cible() {
        QFETCH(QByteArray, octets);
        QFETCH(int, affichees);
        QFETCH(QByteArray, gardes);
        const QByteArray bloc = encode_lignes(bloc_commentaire("Comment", {"x"}), Codage::Utf8);
        const QByteArray coupe = octets.first(::fin_cible(octets, affichees));
        QCOMPARE(coupe + ajout_commentaire(coupe, {"", "    Comment", "x"}, Codage::Utf8), gardes + bloc);
    }
    void caractere_non_codable_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("codage");
        QTest::addColumn<uint>("car");
        QTest::newRow("Latin-1 holds é and °") << "Température 20 °C" << int(Codage::Latin1) << 0u;
        QTest::newRow("first one outside Latin-1") << "ok\nƒ then €" << int(Codage::Latin1) << 0x192u;
        QTest::newRow("beyond 16 bits") << "x 😀" << int(Codage::Latin1) << 0x1F600u;
        QTest::newRow("UTF-8 holds everything") << "€ 😀" << int(Codage::Utf8) << 0u;
    }
    void caractere_non_codable() {
        QFETCH(QString, texte);
        QFETCH(int, codage);
        QFETCH(uint, car);
        QCOMPARE(uint(car_non_codable(texte.split('\n'), Codage(codage)).value_or(0)), car);
    }
};

QTEST_GUILESS_MAIN(TestCommentaire)
#include "test_commentaire.moc"
