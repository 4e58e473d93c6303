#include "rendu.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

using aide_test::lance_rendu;

namespace {

// A program folder holding the renderer, the language files and a target file.
struct Dossier {
    QTemporaryDir dir;
    QString programme;
    Dossier() {
        aide_test::copie_donnees(dir.path(), {"Lintrace_lng.fr.txt", "Lintrace_lng.en.txt"});
        programme = aide_test::installe_rendu(dir.path());
        aide_test::ecrit_octets(chemin("run.txt"), aide_test::run_essai(200, 0).octets());
    }
    QString chemin(const QString& nom) const { return dir.filePath(nom); }
    aide_test::Resultat lance(const QStringList& arguments) const {
        return lance_rendu(programme, arguments, dir.path());
    }
    QStringList contenu() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
};

aide_test::Resultat outil(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForStarted() || !p.waitForFinished(60000))
        qFatal("cannot run %s (poppler-utils)", qPrintable(programme));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

class TestRendu : public QObject {
    Q_OBJECT
  private slots:
    void aide_et_version() {
        Dossier d;
        const auto aide = d.lance({"--help"});
        QCOMPARE(aide.statut, 0);
        QVERIFY(aide.sortie.startsWith("Usage: lintrace-render [options] target-file output"));
        QVERIFY(aide.sortie.contains("--curves"));
        const auto version = d.lance({"--version"});
        QCOMPARE(version.statut, 0);
        QCOMPARE(version.sortie, QByteArray("lintrace-render " LINTRACE_VERSION "\n"));
    }

    void refus_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("statut");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file")
            << QStringList{"gone.txt", "out.png"} << 1 << "No such file or directory";
        QTest::newRow("a folder") << QStringList{".", "out.png"} << 1 << "is a folder, not a target file";
        QTest::newRow("unreadable path") << QStringList{"run.txt/x", "out.png"} << 1 << "Cannot open file";
        QTest::newRow("size without height")
            << QStringList{"run.txt", "out.png", "--size", "800x"} << 2 << "bad size '800x'";
        QTest::newRow("size zero") << QStringList{"run.txt", "out.png", "--size", "0x100"} << 2 << "bad size";
        QTest::newRow("size too large")
            << QStringList{"run.txt", "out.png", "--size", "20000x10"} << 2 << "bad size";
        QTest::newRow("unknown extension")
            << QStringList{"run.txt", "out.jpg"} << 2 << "unknown picture format";
        QTest::newRow("curve 9") << QStringList{"run.txt", "out.png", "--curves", "1,9"} << 2
                                 << "bad curve list '1,9'";
        QTest::newRow("empty curve item")
            << QStringList{"run.txt", "out.png", "--curves", "1,,2"} << 2 << "bad curve list";
        QTest::newRow("no curve") << QStringList{"run.txt", "out.png", "--curves", ""} << 2
                                  << "bad curve list";
        QTest::newRow("negative thickness")
            << QStringList{"run.txt", "out.png", "--thickness", "-1"} << 2 << "bad thickness '-1'";
        QTest::newRow("thickness not whole")
            << QStringList{"run.txt", "out.png", "--thickness", "2.5"} << 2 << "bad thickness";
        QTest::newRow("thickness too large")
            << QStringList{"run.txt", "out.png", "--thickness", "1001"} << 2 << "bad thickness";
        QTest::newRow("one file only")
            << QStringList{"run.txt"} << 2 << "give a target file and an output file";
        QTest::newRow("unknown option")
            << QStringList{"run.txt", "out.png", "--colour"} << 2 << "Unknown option 'colour'";
        QTest::newRow("window of no length") << QStringList{"run.txt", "out.png", "--window", "0"} << 2 << "bad window";
        QTest::newRow("output is a folder") << QStringList{"run.txt", "sub.png"} << 2 << "is a folder";
        QTest::newRow("output in a missing folder")
            << QStringList{"run.txt", "none/out.png"} << 1 << "cannot write";
    }
    void refus() {
        QFETCH(QStringList, arguments);
        QFETCH(int, statut);
        QFETCH(QString, message);
        Dossier d;
        QVERIFY(QDir(d.dir.path()).mkdir("sub.png"));
        const QStringList avant = d.contenu();
        const auto r = d.lance(arguments);
        QCOMPARE(r.statut, statut);
        QVERIFY2(r.erreurs.startsWith("lintrace-render: "), r.erreurs.constData());
        QVERIFY2(r.erreurs.contains(message.toUtf8()), r.erreurs.constData());
        QCOMPARE(r.erreurs.count('\n'), 1);
        QVERIFY(r.sortie.isEmpty());
        QCOMPARE(d.contenu(), avant); // no output, not even an empty or temporary one
    }

    void echec_laisse_l_ancienne_image() {
        Dossier d;
        aide_test::ecrit_octets(d.chemin("out.png"), "old picture");
        QCOMPARE(d.lance({"gone.txt", "out.png"}).statut, 1);
        QCOMPARE(aide_test::lit_octets(d.chemin("out.png")), QByteArray("old picture"));
        // A data file named like a picture is never overwritten by its own plot.
        QVERIFY(QFile::copy(d.chemin("run.txt"), d.chemin("run.png")));
        const auto r = d.lance({"run.png", "./run.png"});
        QCOMPARE(r.statut, 2);
        QVERIFY(r.erreurs.contains("is the target file itself"));
        QCOMPARE(aide_test::lit_octets(d.chemin("run.png")), aide_test::lit_octets(d.chemin("run.txt")));
    }

    void epaisseur_du_setup_illisible() {
        Dossier d;
        aide_test::ecrit_octets(d.chemin("Lintrac_setup.txt"),
                                "5\r\n2\r\nthick\r\n,\r\nID1\r\nID3\r\nFALSE\r\n0\r\n0\r\n0\r\n");
        const auto r = d.lance({"run.txt", "out.png"});
        QCOMPARE(r.statut, 1);
        QVERIFY2(r.erreurs.contains("'thick' is not a valid integer value.") &&
                     r.erreurs.contains("--thickness"),
                 r.erreurs.constData());
        QVERIFY(!QFile::exists(d.chemin("out.png")));
        QCOMPARE(d.lance({"run.txt", "out.png", "--thickness", "3"}).statut, 0);
    }

    void png_sur_la_sortie_standard() {
        Dossier d;
        const auto fichier = d.lance({"run.txt", "out.png", "--curves", "1,2,7"});
        QCOMPARE(fichier.statut, 0);
        QVERIFY2(fichier.erreurs.isEmpty(), fichier.erreurs.constData());
        const auto flux = d.lance({"run.txt", "-", "--curves", "1,2,7"});
        QCOMPARE(flux.statut, 0);
        QVERIFY(flux.sortie.startsWith("\x89PNG"));
        const QImage image = QImage::fromData(flux.sortie, "PNG");
        QCOMPARE(image, QImage(d.chemin("out.png")));
        QCOMPARE(image.size(), QSize(624, 503));
        // Curve 3 (green) is left out, curve 2 (purple) is drawn.
        bool vert = false, violet = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                vert |= image.pixel(x, y) == qRgb(0, 128, 0);
                violet |= image.pixel(x, y) == qRgb(128, 0, 128);
            }
        QVERIFY(!vert);
        QVERIFY(violet);
    }

    // Every record is drawn: nothing is left out, nothing to tell.
    void toute_la_course() {
        Dossier d;
        aide_test::ecrit_octets(d.chemin("big.txt"), aide_test::run_essai(5123, 0).octets());
        const auto r = d.lance({"big.txt", "big.png"});
        QCOMPARE(r.statut, 0);
        QCOMPARE(r.erreurs, QByteArray());
        QVERIFY(!QImage(d.chemin("big.png")).isNull());
    }

    void svg_valide() {
        Dossier d;
        const auto r = d.lance({"run.txt", "plot.svg", "--size", "1600x900"});
        QCOMPARE(r.statut, 0);
        const QByteArray svg = aide_test::lit_octets(d.chemin("plot.svg"));
        QSvgRenderer lecteur(svg);
        QVERIFY(lecteur.isValid());
        QCOMPARE(lecteur.viewBox(), QRect(0, 0, 1600, 900));
        QVERIFY(svg.contains("<title>run.txt</title>"));
        QVERIFY(svg.contains(">run.txt</text>"));
        // Drawn back (antialiased, as the SVG renderer always does), it shows the PNG's plot.
        QCOMPARE(d.lance({"run.txt", "plot.png", "--size", "1600x900"}).statut, 0);
        const QImage png = QImage(d.chemin("plot.png")).convertToFormat(QImage::Format_RGB32);
        QImage image(png.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        lecteur.render(&p);
        p.end();
        QCOMPARE(image.pixel(1000, 20), qRgb(255, 255, 255));
        // Away from edges, where antialiasing blends, every pixel has the PNG's colour.
        int interieurs = 0, differents = 0;
        for (int y = 1; y + 1 < png.height(); ++y)
            for (int x = 1; x + 1 < png.width(); ++x) {
                const QRgb c = png.pixel(x, y);
                bool uni = true;
                for (int dy = -1; dy <= 1 && uni; ++dy)
                    for (int dx = -1; dx <= 1 && uni; ++dx)
                        uni = png.pixel(x + dx, y + dy) == c;
                if (!uni || c == qRgb(255, 255, 255)) continue;
                ++interieurs;
                const QRgb b = image.pixel(x, y);
                differents += std::abs(qRed(c) - qRed(b)) + std::abs(qGreen(c) - qGreen(b)) +
                                  std::abs(qBlue(c) - qBlue(b)) >
                              60;
            }
        QVERIFY(interieurs > 1000);
        QVERIFY2(differents * 50 < interieurs,
                 qPrintable(QStringLiteral("%1 of %2").arg(differents).arg(interieurs)));
    }

    void pdf_valide() {
        Dossier d;
        QCOMPARE(d.lance({"run.txt", "plot.PDF"}).statut, 0);
        const auto info = outil("pdfinfo", {d.chemin("plot.PDF")});
        QVERIFY2(info.statut == 0, info.erreurs.constData());
        QVERIFY(info.sortie.contains("Pages:           1\n"));
        QVERIFY(info.sortie.contains("Page size:       624 x 503 pts"));
        QVERIFY(info.sortie.contains("Title:           run.txt\n"));
        const auto texte = outil("pdftotext", {d.chemin("plot.PDF"), "-"});
        QCOMPARE(texte.statut, 0);
        QVERIFY2(texte.sortie.contains("run.txt"), texte.sortie.constData());
    }
};

QTEST_MAIN(TestRendu)
#include "test_rendu.moc"
