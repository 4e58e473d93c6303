#include "classeur_lu.h"
#include "helpers.h"

#include "util_rez/output/ooxml/classeur_ooxml.h"
#include "util_rez/output/ooxml/tableur_excel.h"

#include <QProcess>
#include <sys/stat.h>
#include <QtTest>

namespace {

const QString modele = QStringLiteral(LINTRACE_BIN_DIR "/Lintrace_.xl0");

QByteArray feuille(const QByteArray& donnees, const QByteArray& dimension = "A1:B2",
                   const QByteArray& p = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><" + p + "worksheet xmlns" +
           (p.isEmpty() ? "" : ":" + p.left(p.size() - 1)) + "=\"http://m\"><!-- kept --><" + p +
           "dimension ref=\"" + dimension + "\"/><" + p + "sheetData>" + donnees + "</" + p + "sheetData></" +
           p + "worksheet>";
}

QByteArray texte(const char* ref, const char* t) {
    return QByteArray("<c r=\"") + ref + "\" t=\"inlineStr\"><is><t>" + t + "</t></is></c>";
}

// Each writer adds its own column to the same workbook, as two sessions answering "No" would.
int ecrivain(int n, const QString& chemin) {
    TableurExcel t([](const QString&) { return true; });
    t.ouvre(chemin);
    for (int r = 1; r <= 200; ++r)
        t.ecrit(r, n, QStringLiteral("w%1-%2").arg(n).arg(r));
    t.termine();
    return 0;
}

// The template with its sheet part replaced, and `en_plus` empty parts added.
QByteArray classeur_avec(const QByteArray& feuille_xml, int en_plus = 0) {
    QBuffer b;
    QuaZip zip(&b);
    zip.setAutoClose(false);
    zip.open(QuaZip::mdCreate);
    QStringList parties = aide_test::parties_zip(modele);
    for (int i = 0; i < en_plus; ++i)
        parties << QStringLiteral("x/%1").arg(i);
    for (const QString& p : parties) {
        QuaZipFile f(&zip);
        f.open(QIODevice::WriteOnly, QuaZipNewInfo(p));
        f.write(p.endsWith("sheet1.xml") ? feuille_xml : aide_test::partie_zip(modele, p));
    }
    zip.close();
    return b.data();
}

} // namespace

class TestClasseurOoxml : public QObject {
    Q_OBJECT
  private slots:
    void remplissage_data() {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<int>("ligne");
        QTest::addColumn<int>("colonne");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QByteArray>("apres");
        QTest::addColumn<QByteArray>("dimension");
        QTest::newRow("styled empty cell gets the text, keeps its style")
            << QByteArray("<row r=\"6\"><c r=\"A6\" s=\"2\"/></row>") << 6 << 1 << "Runtime"
            << QByteArray(
                   "<row r=\"6\"><c r=\"A6\" s=\"2\" t=\"inlineStr\"><is><t>Runtime</t></is></c></row>")
            << QByteArray("A1:B6");
        QTest::newRow("shared string and formula replaced")
            << QByteArray("<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><f>B1</f><v>0</v></c></row>") << 1 << 1
            << "x"
            << QByteArray("<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"inlineStr\"><is><t>x</t></is></c></row>")
            << QByteArray("A1:B2");
        QTest::newRow("new row between rows, spans left alone elsewhere")
            << QByteArray("<row r=\"1\" spans=\"1:1\"><c r=\"A1\"/></row><row r=\"5\"/>") << 3 << 2 << "b"
            << QByteArray("<row r=\"1\" spans=\"1:1\"><c r=\"A1\"/></row><row r=\"3\">") + texte("B3", "b") +
                   "</row><row r=\"5\"/>"
            << QByteArray("A1:B3");
        QTest::newRow("cell between cells, stale spans dropped")
            << QByteArray("<row r=\"2\" spans=\"1:3\" ht=\"20\"><c r=\"A2\" s=\"3\"/><c r=\"C2\"/></row>")
            << 2 << 2 << "m"
            << QByteArray("<row r=\"2\" ht=\"20\"><c r=\"A2\" s=\"3\"/>") + texte("B2", "m") +
                   "<c r=\"C2\"/></row>"
            << QByteArray("A1:B2");
        QTest::newRow("after the last row")
            << QByteArray("<row r=\"1\"/>") << 12 << 11 << "k"
            << QByteArray("<row r=\"1\"/><row r=\"12\">") + texte("K12", "k") + "</row>"
            << QByteArray("A1:K12");
        QTest::newRow("empty text clears the value, keeps the style")
            << QByteArray("<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>3</v></c></row>") << 1 << 1 << ""
            << QByteArray("<row r=\"1\"><c r=\"A1\" s=\"1\"/></row>") << QByteArray("A1:B2");
        QTest::newRow("empty text on a missing cell writes nothing")
            << QByteArray("<row r=\"1\"/>") << 4 << 1 << "" << QByteArray("<row r=\"1\"/>")
            << QByteArray("A1:B2");
        QTest::newRow("cells without references count on")
            << QByteArray("<row><c s=\"1\"/><c s=\"2\"/></row>") << 1 << 2 << "y"
            << QByteArray("<row><c s=\"1\"/><c s=\"2\" t=\"inlineStr\"><is><t>y</t></is></c></row>")
            << QByteArray("A1:B2");
        QTest::newRow("blanks at the ends preserved")
            << QByteArray() << 1 << 1 << " a "
            << QByteArray(
                   "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a </t></is></c>"
                   "</row>")
            << QByteArray("A1:B2");
        QTest::newRow("control character and lookalike escape")
            << QByteArray() << 1 << 1
            << QString("a\x01"
                       "b_x0041_")
            << QByteArray("<row r=\"1\">") + texte("A1", "a_x0001_b_x005F_x0041_") + "</row>"
            << QByteArray("A1:B2");
        QTest::newRow("markup characters")
            << QByteArray() << 1 << 1 << "<&>\""
            << QByteArray("<row r=\"1\">") + texte("A1", "&lt;&amp;&gt;&quot;") + "</row>"
            << QByteArray("A1:B2");
    }
    void remplissage() {
        QFETCH(QByteArray, avant);
        QFETCH(int, ligne);
        QFETCH(int, colonne);
        QFETCH(QString, texte);
        QFETCH(QByteArray, apres);
        QFETCH(QByteArray, dimension);
        QCOMPARE(QString::fromUtf8(remplit_feuille(feuille(avant), {{{ligne, colonne}, texte}})),
                 QString::fromUtf8(feuille(apres, dimension)));
    }
    void prefixe_de_l_espace_de_noms() {
        const QByteArray avant = feuille("<x:row r=\"1\"><x:c r=\"A1\"/></x:row>", "A1", "x:");
        const QByteArray apres = remplit_feuille(avant, {{{1, 2}, QStringLiteral("p")}});
        QVERIFY(apres.contains("<x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t>p</x:t></x:is></x:c></x:row>"));
        QVERIFY(apres.contains("xmlns:x=\"http://m\""));
    }
    // A sheet written without an XML declaration stays without one: an empty version in a
    // declaration would make the sheet no XML at all.
    void feuille_sans_declaration() {
        const QByteArray sans =
            "<worksheet xmlns=\"x\"><sheetData><row r=\"2\"><c r=\"B2\" s=\"3\"/></row></sheetData>"
            "</worksheet>";
        const QByteArray apres = remplit_feuille(sans, {{{2, 2}, QStringLiteral("v")}});
        QVERIFY(!apres.startsWith("<?xml"));
        QXmlStreamReader r(apres);
        while (!r.atEnd())
            r.readNext();
        QVERIFY2(!r.hasError(), qPrintable(r.errorString()));
        QCOMPARE(aide_test::cellules_feuille(apres).value("B2").texte, QStringLiteral("v"));
        QVERIFY(remplit_feuille("<?xml version=\"1.0\"?>" + sans, {}).startsWith("<?xml version=\"1.0\""));
    }
    void references() {
        QCOMPARE(nom_colonne(1), QStringLiteral("A"));
        QCOMPARE(nom_colonne(11), QStringLiteral("K"));
        QCOMPARE(nom_colonne(27), QStringLiteral("AA"));
        QCOMPARE(nom_colonne(702), QStringLiteral("ZZ"));
        QCOMPARE(position_cellule(u"K12"), std::make_pair(12, 11));
        QCOMPARE(position_cellule(u"AA1"), std::make_pair(1, 27));
        QCOMPARE(position_cellule(u"12"), std::make_pair(0, 0));
        QCOMPARE(position_cellule(u"A"), std::make_pair(0, 0));
        QCOMPARE(position_cellule(u"A-1"), std::make_pair(0, 0));
    }
    void modele_rempli_garde_le_reste() {
        QTemporaryDir d;
        const QString vers = d.filePath(QStringLiteral("Lintrace_.xls"));
        const QByteArray modele_avant = aide_test::lit_octets(modele);
        ClasseurOoxml c(modele);
        QCOMPARE(c.partie_feuille(), QStringLiteral("xl/worksheets/sheet1.xml"));
        c.ecrit(6, 1, ValeurCellule(1.5));
        c.ecrit(7, 1, ValeurCellule(0.5));
        c.ecrit(3, 11, QStringLiteral("Stopped")); // before a cell already written
        c.ecrit(6, 1, QStringLiteral("Runtime"));  // over one
        for (int r = 8; r < 40000; ++r) // the sheet's XML goes to the package a megabyte at a time
            c.ecrit(r, 2, ValeurCellule(r + 0.25));
        QString raison;
        QVERIFY2(c.enregistre(vers, raison), qPrintable(raison));
        QCOMPARE(aide_test::lit_octets(modele), modele_avant);
        QCOMPARE(aide_test::parties_zip(vers), aide_test::parties_zip(modele));
        for (const QString& p : aide_test::parties_zip(modele))
            if (p != c.partie_feuille())
                QCOMPARE(aide_test::partie_zip(vers, p), aide_test::partie_zip(modele, p));
        const auto cellules = aide_test::cellules_feuille(aide_test::partie_zip(vers, c.partie_feuille()));
        QCOMPARE(cellules.value("A6").texte, QStringLiteral("Runtime"));
        QCOMPARE(cellules.value("A6").style, QStringLiteral("2"));
        QCOMPARE(cellules.value("B6").style, QStringLiteral("2"));
        QCOMPARE(cellules.value("A1").style, QStringLiteral("1"));
        QCOMPARE(cellules.value("A7").texte, QStringLiteral("0.5")); // a number the sheet computes with
        QCOMPARE(cellules.value("A7").type, QString());
        QCOMPARE(cellules.value("K3").texte, QStringLiteral("Stopped"));
        QCOMPARE(cellules.value("B39999").texte, QStringLiteral("39999.25"));
        QVERIFY(aide_test::partie_zip(vers, c.partie_feuille()).contains("<dimension ref=\"A1:K39999\"/>"));
    }
    void pas_un_classeur_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("trop_grand");
        QTest::newRow("text") << aide_test::echantillon("fini.txt") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("zip without a workbook") << aide_test::zip_d_un_fichier("notes/readme.txt", "hello") << 0;
        QTest::newRow("cut short") << aide_test::lit_octets(modele).left(300) << 0;
        // Row 2147483647 and then row 1 would have overflowed the row count.
        const QByteArray r = texte("A1", "x");
        QTest::newRow("row beyond a sheet's")
            << classeur_avec(feuille("<row r=\"2147483647\">" + r + "</row><row r=\"1\">" + r + "</row>")) << 0;
        QTest::newRow("row after the last") << classeur_avec(feuille("<row r=\"1048576\"/><row r=\"2\"/>")) << 0;
        QTest::newRow("column beyond a sheet's")
            << classeur_avec(feuille("<row r=\"1\"><c r=\"XFE1\"/></row>")) << 0;
        QTest::newRow("sheet a zip bomb unpacks") << classeur_avec(feuille(QByteArray(20 << 20, ' '))) << 1;
        QTest::newRow("too many parts") << classeur_avec(feuille(""), 10000) << 1;
    }
    void pas_un_classeur() {
        QFETCH(QByteArray, contenu);
        QFETCH(int, trop_grand);
        QTemporaryDir d;
        const QString chemin = d.filePath(QStringLiteral("Lintrace_.xl0"));
        aide_test::ecrit_octets(chemin, contenu);
        try {
            ClasseurOoxml c(chemin);
            QFAIL("read as a workbook");
        } catch (const ErreurTableur& e) {
            QCOMPARE(e.cause(), trop_grand ? ErreurTableur::Cause::TropGrand : ErreurTableur::Cause::PasClasseur);
            QCOMPARE(e.chemin(), chemin);
        }
    }
    // Garbage by the lock's name is told as such at once, not waited on as another session.
    void verrou_qui_n_en_est_pas_un() {
        QTemporaryDir d;
        for (const QByteArray& contenu : {QByteArray("PK\x03\x04 not a lock\n"), QByteArray(8192, '7')}) {
            aide_test::ecrit_octets(d.filePath(".Lintrace_.xls.lock"), contenu);
            try {
                VerrouClasseur(d.filePath("Lintrace_.xls")).prend(60000, QStringLiteral("busy"));
                QFAIL("taken");
            } catch (const ErreurTableur& e) {
                QCOMPARE(e.cause(), ErreurTableur::Cause::PasVerrou);
            }
        }
    }
    void ecriture_impossible_ne_touche_rien() {
        QTemporaryDir d;
        const QString vers = d.filePath(QStringLiteral("Lintrace_.xls"));
        QVERIFY(QDir(d.path()).mkdir(QStringLiteral("Lintrace_.xls"))); // a folder where the file should go
        ClasseurOoxml c(modele);
        c.ecrit(1, 1, QStringLiteral("x"));
        QString raison;
        QVERIFY2(!c.enregistre(vers, raison), "written over a folder");
        QVERIFY(!raison.isEmpty());
        QVERIFY(QFileInfo(vers).isDir());
        QCOMPARE(QDir(d.path()).entryList(QDir::Files | QDir::Hidden).size(), 0); // no temporary left
    }
    // A pipe by the workbook's name is neither read (the open would wait for a writer for good)
    // nor replaced by a regular file.
    void tube_ni_lu_ni_remplace() {
        QTemporaryDir d;
        const QString tube = d.filePath(QStringLiteral("Lintrace_.xls"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        try {
            ClasseurOoxml lu(tube);
            QFAIL("a pipe read as a workbook");
        } catch (const ErreurTableur& e) {
            QCOMPARE(e.cause(), ErreurTableur::Cause::PasClasseur);
        }
        ClasseurOoxml c(modele);
        c.ecrit(1, 1, QStringLiteral("x"));
        QString raison;
        QVERIFY2(!c.enregistre(tube, raison), "written over a pipe");
        struct stat st {};
        QCOMPARE(::lstat(QFile::encodeName(tube).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
    }
    void ecrivains_simultanes_ne_perdent_rien() {
        QTemporaryDir d;
        const QString chemin = d.filePath(QStringLiteral("Lintrace_.xls"));
        QVERIFY(QFile::copy(modele, chemin));
        QList<QProcess*> ecrivains;
        for (int n = 2; n <= 5; ++n) {
            auto* p = new QProcess(this);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("LINTRACE_ECRIVAIN"), QString::number(n));
            p->setProcessEnvironment(env);
            p->start(QCoreApplication::applicationFilePath(), {chemin});
            ecrivains << p;
        }
        for (QProcess* p : ecrivains) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
        }
        const auto cellules =
            aide_test::cellules_feuille(aide_test::partie_zip(chemin, "xl/worksheets/sheet1.xml"));
        for (int n = 2; n <= 5; ++n)
            for (int r = 1; r <= 200; r += 199)
                QCOMPARE(cellules.value(nom_colonne(n) + QString::number(r)).texte,
                         QStringLiteral("w%1-%2").arg(n).arg(r));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("LINTRACE_ECRIVAIN"))
        return ecrivain(qEnvironmentVariableIntValue("LINTRACE_ECRIVAIN"), app.arguments().value(1));
    TestClasseurOoxml t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_classeur_ooxml.moc"
