#include "cible_essai.h"
#include "fenetre.h"

#include "util_rez/plot/trace.h"

#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryFile>
#include <QWindow>
#include <QtTest>

// The window on a desktop scaled 2x, as QT_SCALE_FACTOR=2 makes it: a first screen of 2 device
// pixels per pixel, a second of 3 and a third of 3 again.

namespace {

// A run of noisy values, ten records a second.
aide_test::CibleEssai ecrivain(QRandomGenerator& gen, int enregistrements) {
    return {.titre = "Bench 2",
            .enregistrements = enregistrements,
            .pas = 0.1,
            .largeur_temps = 6,
            .decimales_temps = 1,
            .valeur = [&gen](int, int c) { return 15 * (c - 1) + gen.bounded(10.0); },
            .decimales = 2};
}

// The window's scene drawn by the plain painter (a clip keeps it off every shortcut) on a
// picture of the same size and density.
QImage peinte(TForm1& f) {
    const QImage& image = f.Image1->Picture();
    QImage attendue = image_ecran(taille_logique(image), image.devicePixelRatio());
    DonneesTrace d;
    d.echelles = f.echelles;
    d.tableau = f.tableau.get();
    d.nb_enreg = f.nb_enreg;
    for (int k = 1; k <= 8; ++k)
        d.coches[k] = f.cases_courbes[k]->isChecked();
    d.couleurs = f.couleurs_courbes;
    d.texte_epaisseur = f.Edit3->text();
    d.chemin_cible = f.chemin_cible;
    d.separateur = QLocale().decimalPoint().front();
    d.note_echelle_invalide = f.texte_message(68);
    QPainter p(&attendue);
    p.setClipRect(QRect(QPoint(0, 0), taille_logique(image)));
    trace_surface(p, taille_logique(image), d);
    return attendue;
}

void va_sur_ecran(TForm1& f, int n) {
    f.windowHandle()->setScreen(QGuiApplication::screens().at(n));
    QCoreApplication::processEvents();
}

} // namespace

class TestDensite : public QObject {
    Q_OBJECT
  private slots:
    // Logical size as at 1x, device pixels at the screen's density, shown one to one.
    void image_a_la_densite_de_l_ecran() {
        Session s;
        QRandomGenerator gen(2);
        TForm1& f = s.demarre_sur(QStringLiteral("run.txt"), ecrivain(gen, 300).octets());
        QCOMPARE(f.devicePixelRatioF(), 2.0);
        for (const QSize plus : {QSize(0, 0), QSize(100, 60)}) {
            f.resize(f.size() + plus);
            const QImage& im = f.Image1->Picture();
            const QSize logique = f.ScrollBox1->size() - QSize(10, 10);
            QCOMPARE(im.devicePixelRatio(), 2.0);
            QCOMPARE(taille_logique(im), logique);
            QCOMPARE(im.size(), logique * 2);
            QCOMPARE(f.Image1->size(), logique);
            QCOMPARE(f.Image1->grab().toImage().convertToFormat(QImage::Format_RGB32), im);
        }
    }

    // A file followed tick by tick draws only the new records over the picture: at 2x as at 1x,
    // the picture stays that of a whole pass.
    void suivi_egal_au_peintre() {
        Session s;
        QRandomGenerator gen(7);
        const aide_test::CibleEssai course = ecrivain(gen, 200);
        QByteArray contenu = course.octets();
        const QString cible = s.chemin(QStringLiteral("run.txt"));
        aide_test::ecrit_octets(cible, contenu);
        TForm1& f = s.demarre({cible});
        f.ScrollBox1->resize(626, 479);
        int k = 200;
        for (int tick = 0; tick < 6; ++tick) {
            contenu += course.ajout(k, 3);
            k += 3;
            aide_test::ecrit_octets(cible, contenu);
            f.taille_cible = -2;
            f.Timer1Timer();
            QCOMPARE(f.Image1->Picture(), peinte(f));
        }
        QCOMPARE(f.nb_enreg, 218);
        QVERIFY(s.plateforme->messages.isEmpty());
    }

    // Moved to a screen of another density, the window makes its picture again at that density;
    // to one of the same density it keeps it.
    void ecran_d_une_autre_densite() {
        Session s;
        QRandomGenerator gen(4);
        TForm1& f = s.demarre_sur(QStringLiteral("run.txt"), ecrivain(gen, 120).octets());
        const QSize logique = taille_logique(f.Image1->Picture());
        va_sur_ecran(f, 1);
        QCOMPARE(f.devicePixelRatioF(), 3.0);
        QCOMPARE(f.Image1->Picture().devicePixelRatio(), 3.0);
        QCOMPARE(taille_logique(f.Image1->Picture()), logique);
        QCOMPARE(f.Image1->Picture(), peinte(f));
        const qint64 cle = f.Image1->Picture().cacheKey();
        va_sur_ecran(f, 2);
        QCOMPARE(f.Image1->Picture().cacheKey(), cle);
        va_sur_ecran(f, 0);
        QCOMPARE(f.Image1->Picture().devicePixelRatio(), 2.0);
        QCOMPARE(f.Image1->Picture(), peinte(f));
    }
};

int main(int argc, char** argv) {
    QTemporaryFile config(QDir::tempPath() + QStringLiteral("/lintrace_ecrans_XXXXXX.json"));
    if (!config.open()) qFatal("cannot write the screens' configuration");
    config.write(R"({"screens": [
        {"name": "A", "x": 0, "y": 0, "width": 1920, "height": 1080, "dpr": 1},
        {"name": "B", "x": 1920, "y": 0, "width": 1920, "height": 1080, "dpr": 1.5},
        {"name": "C", "x": 3840, "y": 0, "width": 1920, "height": 1080, "dpr": 1.5}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestDensite t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_window_densite.moc"
