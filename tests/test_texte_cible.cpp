#include "util_rez/texte.h"
#include "util_rez/texte_cible.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Bytes a logger's file is made of, and the awkward ones: every line break, a byte-order
// mark, a two-byte character and its halves, a lone Latin-1 byte, a surrogate half.
QByteArray octets_au_hasard(QRandomGenerator& gen, int n) {
    static const QByteArray morceaux[] = {
        "a",        "1",    " ",    "\"",   "\r",           "\n", "\r\n", "\xEF\xBB\xBF",
        "\xC3\xA9", "\xC3", "\xA9", "\xE9", "\xED\xA0\x80", "'",  "\x00"};
    QByteArray o;
    for (int i = 0; i < n; ++i)
        o += morceaux[gen.bounded(int(std::size(morceaux)))];
    return o;
}

} // namespace

class TestTexteCible : public QObject {
    Q_OBJECT
  private slots:
    void decoupe_comme_le_texte_entier_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n");
        QTest::newRow("cr then lf apart") << QByteArray("a\n\rb");
        QTest::newRow("only breaks") << QByteArray("\r\r\n\n\r");
        QTest::newRow("mark at the start") << QByteArray("\xEF\xBB\xBF\"h1\"\r\n");
        QTest::newRow("mark on a later line") << QByteArray("x\r\n\xEF\xBB\xBF\xEF\xBB\xBFy");
        QTest::newRow("latin-1") << QByteArray("\"Temp\xe9rature\"\r\n\xEF\xBB\xBFz");
        QTest::newRow("nul byte") << QByteArray("a\0b\nc", 5);
        QTest::newRow("empty") << QByteArray();
        QRandomGenerator gen(41);
        for (int i = 0; i < 300; ++i)
            QTest::addRow("random %d", i) << octets_au_hasard(gen, gen.bounded(1, 40));
    }
    // The whole file decoded then split is the reference; splitting first must not differ in
    // any line, in the final break or in the encoding chosen.
    void decoupe_comme_le_texte_entier() {
        QFETCH(QByteArray, octets);
        Codage attendu = Codage::Utf8;
        bool fin_attendue = false;
        const QStringList lignes = coupe_lignes(decode_octets(octets, attendu), &fin_attendue);
        const Codage codage = codage_octets(octets);
        QCOMPARE(codage, attendu);
        bool fin = !fin_attendue;
        QCOMPARE(decoupe_octets(octets, codage, true, &fin), lignes);
        QCOMPARE(fin, fin_attendue);

        // Read again from where the last line begins, the rest gives that last line alone.
        const qsizetype debut = debut_derniere_ligne(octets);
        const QStringList queue =
            decoupe_octets(QByteArrayView(octets).sliced(debut), codage, debut == 0, &fin);
        QCOMPARE(queue, lignes.isEmpty() ? QStringList() : QStringList{lignes.last()});
        QCOMPARE(fin, fin_attendue);
    }

    void marque_data() {
        QTest::addColumn<QString>("ligne");
        QTest::newRow("bare") << "Comment";
        QTest::newRow("blanks around") << "    Comment  ";
        QTest::newRow("tab is no blank") << "\tComment";
        QTest::newRow("inside a quote") << "\"Comment\"";
        QTest::newRow("blanks only") << "   ";
        QTest::newRow("empty") << "";
        QTest::newRow("longer") << "Comments";
    }
    // The same test as trimming the line with coupe_espaces, without a copy per line.
    void marque() {
        QFETCH(QString, ligne);
        for (const QString& marque : {QStringLiteral("Comment"), QString()})
            QCOMPARE(est_marque(ligne, marque), coupe_espaces(ligne) == marque);
    }
};

QTEST_MAIN(TestTexteCible)
#include "test_texte_cible.moc"
