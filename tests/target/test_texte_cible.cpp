#include "util_rez/base/texte.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/texte_cible.h"

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

        // The index grown by appends, wherever the bytes are cut, is the index of them all;
        // written back, each line keeps its bytes.
        for (qsizetype coupe = 0; coupe <= octets.size(); ++coupe) {
            LignesCible l(octets.first(coupe), codage);
            l.ajoute(QByteArrayView(octets).sliced(coupe));
            QCOMPARE(l.mid(0), lignes);
        }
        QCOMPARE(octets_crlf(LignesCible(octets, codage)), encode_lignes(lignes, codage));
    }

    // A writer caught inside a character: the encoding is that of the complete lines, whether
    // the unfinished line is held back or a last line is complete without its break.
    void codage_des_lignes_completes_data() {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<qsizetype>("fin");
        const QByteArray debut = "\"Temp\xC3\xA9rature\"\r\n\"00000.0 1\"\r\n";
        QTest::newRow("half a character in an unfinished record")
            << debut + "\"00000.5 \xC3" << true << debut.size();
        QTest::newRow("whole character, still unfinished")
            << debut + "\"00000.5 \xC3\xA9" << true << debut.size();
        QTest::newRow("latin-1 in the complete lines")
            << QByteArray("\"\xE9\"\r\n\"0 \xC3") << false << qsizetype(5);
        QTest::newRow("complete last line without break counts")
            << debut + "\"00000.5 \xE9\"" << false << debut.size() + 11;
        QTest::newRow("unquoted last line counts") << debut + "5 \xC3" << false << debut.size() + 3;
        QTest::newRow("byte-order mark before an unfinished first line")
            << QByteArray("\xEF\xBB\xBF\"h\xC3") << true << qsizetype(0);
        QTest::newRow("empty") << QByteArray() << true << qsizetype(0);
    }
    void codage_des_lignes_completes() {
        QFETCH(QByteArray, octets);
        QFETCH(bool, utf8);
        QFETCH(qsizetype, fin);
        QCOMPARE(fin_lignes_completes(octets, true), fin);
        QCOMPARE(codage_lignes_completes(octets), utf8 ? Codage::Utf8 : Codage::Latin1);
    }
    void vue_vide_sans_donnees() {
        bool fin = true;
        QCOMPARE(decoupe_octets(QByteArrayView(), Codage::Utf8, true, &fin), QStringList());
        QVERIFY(!fin);
        QCOMPARE(debut_derniere_ligne(QByteArrayView()), qsizetype(0));
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
    // The same test as trimming the line with coupe_espaces, on the bytes in either encoding,
    // against any of the headings; an empty heading marks nothing.
    void marque() {
        QFETCH(QString, ligne);
        const bool attendu = coupe_espaces(ligne) == QStringLiteral("Comment");
        for (const Codage c : {Codage::Utf8, Codage::Latin1}) {
            for (const QString& marque : {QStringLiteral("Comment"), QStringLiteral("Kommentar\nComment")})
                QCOMPARE(est_marque_octets(encode_texte(ligne, c), marques_codees(marque, c)), attendu);
            QVERIFY(!est_marque_octets(encode_texte(ligne, c), marques_codees(QString(), c)));
        }
    }
};

QTEST_MAIN(TestTexteCible)
#include "test_texte_cible.moc"
