#include "cible_essai.h"
#include "fenetre.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

// Prints through the real CUPS PDF queue and reads the page back. tools/test.sh starts CUPS
// and adds the queue; without them this test fails, it never passes quietly.

namespace {

const QString file_pdf = QStringLiteral("LintracePDF");

QByteArray cible() {
    return aide_test::CibleEssai{.titre = "Test bench 7 - run 42",
                                 .operateur = "Operator Alice Martin",
                                 .noms = "Runtime Flow Temp Pressure Wall Power Out",
                                 .enregistrements = 21,
                                 .pas = 1,
                                 .largeur_temps = 0,
                                 .decimales_temps = 0,
                                 .valeur =
                                     [](int t, int c) {
                                         const int v[] = {10 + t,           30 + 2 * t, 50 - t,
                                                          60 + (t % 5) * 3, 5 + t / 2,  70 + t};
                                         return v[c - 2];
                                     },
                                 .arrete = true,
                                 .resume = QStringList{"Count Summary", "Records counted 21"}}
        .octets();
}

// Where cups-pdf puts a job: its Out folder for a user it knows (${HOME} from the password
// database, not the environment), its anonymous folder otherwise.
QStringList dossiers_pdf() {
    const passwd* pw = getpwuid(getuid());
    const QString home = pw ? QString::fromLocal8Bit(pw->pw_dir) : QDir::homePath();
    const QString user = pw ? QString::fromLocal8Bit(pw->pw_name) : qEnvironmentVariable("USER");
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QString anonyme = QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly))
        for (const QByteArray& brute : conf.readAll().split('\n')) {
            const QString l = QString::fromLocal8Bit(brute).trimmed();
            if (l.startsWith(QLatin1String("Out ")))
                out = l.mid(4).trimmed();
            else if (l.startsWith(QLatin1String("AnonDirName ")))
                anonyme = l.mid(12).trimmed();
        }
    out.replace(QLatin1String("${HOME}"), home).replace(QLatin1String("${USER}"), user);
    return {out, anonyme};
}

// The job's PDF once the PDF printer has finished writing it.
QString attend_pdf(const QString& marque, int delai_ms) {
    QElapsedTimer montre;
    montre.start();
    qint64 taille_vue = -1;
    while (montre.elapsed() < delai_ms) {
        for (const QString& d : dossiers_pdf())
            for (const QFileInfo& f : QDir(d).entryInfoList({"*" + marque + "*.pdf"}, QDir::Files)) {
                if (f.size() > 0 && f.size() == taille_vue) return f.filePath();
                taille_vue = f.size();
            }
        QTest::qWait(250);
    }
    return {};
}

QString lance(const QString& programme, const QStringList& arguments) {
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("!failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

int compte(const QImage& im, const QColor& c) {
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            n += im.pixelColor(x, y) == c;
    return n;
}

QString simplifie(const QString& t) {
    // OCR reads a bold 1 as l or I now and then, and O for 0: both sides fold them alike.
    QString s = t.simplified().remove(QLatin1Char(' '));
    for (QChar& c : s) {
        if (c == u'l' || c == u'I' || c == u'|') c = u'1';
        else if (c == u'O') c = u'0';
    }
    return s;
}

} // namespace

class TestImpressionPdf : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        for (const char* outil : {"pdfinfo", "pdftoppm", "tesseract"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(outil)).isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("%1 is missing: tools/install-deps.sh installs it").arg(outil)));
        if (!QPrinterInfo::availablePrinterNames().contains(file_pdf))
            QFAIL("The CUPS queue LintracePDF is missing: tools/test.sh starts cupsd and adds it");
    }

    void page_imprimee_relue() {
        Session s;
        const QString marque = QStringLiteral("essai%1").arg(QDateTime::currentMSecsSinceEpoch() % 1000000);
        aide_test::ecrit_octets(s.chemin(marque + ".txt"), cible());
        TForm1& f = s.demarre({s.chemin(marque + ".txt")}, [](PlateformeTest& p) {
            p.imprimantes_ = QStringList{file_pdf};
            p.reponses = {QMessageBox::Yes};
        });
        f.Memo3->setPlainText(QStringLiteral("Valve opened after warm up\nPump checked by Bob"));
        QTest::mouseClick(f.SpeedButton5, Qt::LeftButton);
        QCOMPARE(s.plateforme->messages, QStringList{"Print the page on this printer? \r\r" + file_pdf});

        const QString pdf = attend_pdf(marque, 60000);
        QVERIFY2(!pdf.isEmpty(), qPrintable("no PDF in " + dossiers_pdf().join(", ")));
        const QString info = lance("pdfinfo", {pdf});
        QVERIFY2(QRegularExpression("Pages:\\s+1\\n").match(info).hasMatch(), qPrintable(info));

        QTemporaryDir rendu;
        lance("pdftoppm", {"-r", "150", "-png", "-singlefile", "-aa", "no", "-aaVector", "no", pdf,
                           rendu.filePath("couleurs")});
        const QImage page(rendu.filePath("couleurs.png"));
        QVERIFY(!page.isNull());
        QVERIFY(compte(page, QColor(0, 0, 255)) > 500); // the axes, with curve 1
        int couleurs_vues = 0;
        for (const QColor& c :
             {f.couleurs_courbes[2], f.couleurs_courbes[3], f.couleurs_courbes[6], f.couleurs_courbes[7]})
            couleurs_vues += compte(page, c) > 50;
        QVERIFY2(couleurs_vues >= 3, qPrintable(QString::number(couleurs_vues)));

        lance("pdftoppm", {"-r", "300", "-gray", "-png", "-singlefile", pdf, rendu.filePath("ocr")});
        const QString lu = simplifie(lance("tesseract", {rendu.filePath("ocr.png"), "stdout"}));
        // The bold file name's letters are read wrong now and then ("essaid…"); its digits
        // are what tells this run's page from an earlier one.
        for (const QString& attendu :
             {marque.mid(5) + ".txt", QStringLiteral("Test bench 7 - run 42"),
              QStringLiteral("Operator Alice Martin"),
              QStringLiteral("Runtime Flow Temp Pressure Wall Power Out"),
              QStringLiteral("Valve opened after warm up"), QStringLiteral("Pump checked by Bob"),
              QStringLiteral("Count Summary"), QStringLiteral("Records counted 21")})
            QVERIFY2(lu.contains(simplifie(attendu)), qPrintable(attendu + " not in: " + lu));
        QVERIFY(f.Panel4->isHidden());

        // Kept beside the build for a person to look at.
        const QString vue = QStringLiteral(LINTRACE_BIN_DIR) + "/../print-page.png";
        QFile::remove(vue);
        QFile::copy(rendu.filePath("couleurs.png"), vue);
        QFile::remove(pdf);
    }
};

QTEST_MAIN(TestImpressionPdf)
#include "test_window_impression_pdf.moc"
