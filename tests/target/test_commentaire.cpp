#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/commentaire.h"

#include <QtTest>

class TestCommentaire : public QObject {
    Q_OBJECT
  private slots:
    void octets_conserves_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("affichees");
        QTest::addColumn<QByteArray>("gardes");
        const QByteArray corps = "\"h1\"\r\n\"h2\"\r\n\"Stopped\"\r\n";
        QTest::newRow("no block") << corps << 3 << corps;
        QTest::newRow("old block replaced") << corps + "\r\n    Comment\r\nold\r\n" << 3 << corps;
        QTest::newRow("empty old block") << corps + "\r\n    Comment\r\n" << 3 << corps;
        QTest::newRow("own line breaks and BOM kept")
            << QByteArray("\xef\xbb\xbf\"h\"\n\"x\"\r\"Stopped\"\n\nComment\n") << 3
            << QByteArray("\xef\xbb\xbf\"h\"\n\"x\"\r\"Stopped\"\n");
        QTest::newRow("last line without a break gets one")
            << QByteArray("\"a\"\r\n\"Stopped\"") << 2 << QByteArray("\"a\"\r\n\"Stopped\"\r\n");
        QTest::newRow("unfinished line held back by the load stays")
            << corps + "\"Count Summ" << 3 << corps + "\"Count Summ\r\n";
        QTest::newRow("empty file") << QByteArray() << 0 << QByteArray();
    }
    void octets_conserves() {
        QFETCH(QByteArray, octets);
        QFETCH(int, affichees);
        QFETCH(QByteArray, gardes);
        QCOMPARE(::octets_conserves(octets, affichees), gardes);
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
