#include "util_rez/base/erreur.h"
#include "util_rez/plot/trace_suivi.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>
#include <memory>

namespace {

using Passe = SuiviTrace::Passe;

DonneesTrace entrees(const Echelles& e, const Tableau& t, int n, const QString& epaisseur = QStringLiteral("2")) {
    DonneesTrace r;
    r.echelles = e;
    r.tableau = &t;
    r.nb_enreg = n;
    for (int k = 1; k <= 8; ++k) {
        r.coches[k] = k != 3;
        r.couleurs[k] = QColor::fromHsv(k * 40, 255, 200);
    }
    r.texte_epaisseur = epaisseur;
    r.chemin_cible = QStringLiteral("/runs/run7.txt");
    r.separateur = QLatin1Char('.');
    r.note_echelle_invalide = QStringLiteral("INVALID");
    return r;
}

// The whole pass on a picture of the same size and density as `comme`.
QImage entiere(const QImage& comme, const DonneesTrace& e) {
    QImage image = image_ecran(taille_logique(comme), comme.devicePixelRatio());
    trace_ecran(image, e);
    return image;
}

// Eight noisy curves that keep crossing each other and the name, some points off the picture.
// x goes forward, so that beyond as many records as columns the reduced picture is followed too.
void ajoute_enregistrement(Tableau& t, int i, QRandomGenerator& gen) {
    std::array<double, nb_colonnes_lues + 1> v{0, i * 0.02 + gen.bounded(0.015)};
    for (int c = 2; c <= 7; ++c)
        v[c] = 50 + 45 * std::sin(i * 0.05 + c) + gen.bounded(30.0) - 15 + (gen.bounded(60) == 0 ? 80 : 0);
    t.ajoute(v);
}

// A pixel that changed where the repaint, given in window pixels, would not reach.
bool change_hors_de(const QImage& a, const QImage& b, const QRect& zone) {
    const qreal r = a.devicePixelRatio();
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (la[x] != lb[x] && !zone.contains(int(x / r), int(y / r))) return true;
    }
    return false;
}

} // namespace

class TestTraceSuivi : public QObject {
    Q_OBJECT
  private slots:
    void ajouts_egal_passe_entiere_data() {
        QTest::addColumn<QString>("epaisseur");
        QTest::addColumn<bool>("autoscale");
        QTest::addColumn<double>("densite");
        for (const char* t : {"0", "1", "2", "3", "5"})
            QTest::addRow("thickness %s", t) << QString::fromLatin1(t) << false << 1.0;
        QTest::newRow("thickness 2, scale following the data") << "2" << true << 1.0;
        QTest::newRow("thickness 2 at 2x") << "2" << false << 2.0;
        QTest::newRow("thickness 0 at 3x") << "0" << false << 3.0;
        QTest::newRow("thickness 3 at 1.5x") << "3" << false << 1.5;
    }
    // Record after record drawn over the picture, in batches of every size, gives the whole
    // pass's picture pixel for pixel, and changes nothing outside the part it says it changed;
    // a scale that grows with the data redraws it all.
    void ajouts_egal_passe_entiere() {
        QFETCH(QString, epaisseur);
        QFETCH(bool, autoscale);
        QFETCH(double, densite);
        auto t = std::make_unique<Tableau>();
        QRandomGenerator gen(5);
        SuiviTrace suivi;
        QImage image = image_ecran(QSize(400, 300), densite);
        image.fill(Qt::black);
        int n = 0;
        int ajouts = 0;
        int completes = 0;
        double max_x = 0;
        while (n < 800) {
            const int lot = gen.bounded(1, 8);
            for (int j = 0; j < lot; ++j) {
                ajoute_enregistrement(*t, ++n, gen);
                max_x = std::max(max_x, (*t)(1, n));
            }
            const Echelles e =
                autoscale ? Echelles{std::ceil(max_x / 2) * 2 + 1, 100, 5, 10} : Echelles{15, 120, 5, 10};
            const DonneesTrace entree = entrees(e, *t, n, epaisseur);
            const QImage avant = image.copy();
            const Passe passe = suivi.trace(image, entree);
            ajouts += passe == Passe::Ajout;
            completes += passe == Passe::Complete;
            QCOMPARE(image, entiere(image, entree));
            QVERIFY(!change_hors_de(avant, image, suivi.zone_modifiee()));
        }
        QVERIFY(ajouts > 80);
        // One whole pass to start and one where the records come to outnumber the columns.
        QVERIFY(autoscale ? completes > 2 : completes == 2);
    }

    // Nothing new: nothing drawn, not even a detach. Anything but new records at the end:
    // the whole pass.
    void passes_choisies() {
        auto t = std::make_unique<Tableau>();
        QRandomGenerator gen(8);
        for (int i = 1; i <= 50; ++i)
            ajoute_enregistrement(*t, i, gen);
        SuiviTrace suivi;
        QImage image(300, 200, QImage::Format_RGB32);
        const Echelles e{5, 120, 5, 10};
        DonneesTrace entree = entrees(e, *t, 50);
        QCOMPARE(suivi.trace(image, entree), Passe::Complete);
        const qint64 cle = image.cacheKey();
        QCOMPARE(suivi.trace(image, entree), Passe::Aucune);
        QCOMPARE(image.cacheKey(), cle);

        const auto change = [&](const char* quoi, const std::function<void()>& modifie) {
            modifie();
            QVERIFY2(suivi.trace(image, entree) == Passe::Complete, quoi);
            QCOMPARE(image, entiere(image, entree));
        };
        change("a box", [&] { entree.coches[2] = false; });
        change("the thickness", [&] { entree.texte_epaisseur = QStringLiteral("3"); });
        change("the y scale", [&] { entree.echelles.etendue_y = 150; });
        change("the file", [&] { entree.chemin_cible = QStringLiteral("/runs/run8.txt"); });
        change("an earlier record", [&] { t->modifie(4, 20, (*t)(4, 20) + 1); });
        change("fewer records", [&] { entree.nb_enreg = 40; });
        change("a new picture", [&] { image = QImage(300, 200, QImage::Format_RGB32); });
        change("a painted picture", [&] { QPainter(&image).fillRect(0, 0, 10, 10, Qt::black); });
        change("another size", [&] { image = QImage(320, 200, QImage::Format_RGB32); });
        entree.nb_enreg = 50;
        QCOMPARE(suivi.trace(image, entree), Passe::Ajout);
    }

    // A thickness the pass cannot read stops it before the curves and the name, and only
    // the whole pass leaves that picture; the next good pass starts over.
    void epaisseur_illisible() {
        auto t = std::make_unique<Tableau>();
        QRandomGenerator gen(3);
        SuiviTrace suivi;
        QImage image(300, 200, QImage::Format_RGB32);
        DonneesTrace entree = entrees(Echelles{5, 120, 5, 10}, *t, 0, QStringLiteral("x"));
        QCOMPARE(suivi.trace(image, entree), Passe::Complete); // no records: never read
        ajoute_enregistrement(*t, 1, gen);
        entree.nb_enreg = 1;
        QVERIFY_THROWS_EXCEPTION(ErreurRez, suivi.trace(image, entree));
        QImage attendue(image.size(), QImage::Format_RGB32);
        QVERIFY_THROWS_EXCEPTION(ErreurRez,
                                 trace_ecran(attendue, entree));
        QCOMPARE(image, attendue);
        entree.texte_epaisseur = QStringLiteral("2");
        QCOMPARE(suivi.trace(image, entree), Passe::Complete);
        QCOMPARE(image, entiere(image, entree));
    }
};

QTEST_MAIN(TestTraceSuivi)
#include "test_trace_suivi.moc"
