#include "util_rez/base/erreur.h"
#include "util_rez/plot/trace.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>
#include <cfenv>
#include <memory>

Q_DECLARE_METATYPE(Echelles)

namespace {

const QColor bleu = couleur_axes;
const QColor marine = couleur_textes;
const std::array<QColor, 9> couleurs = [] {
    std::array<QColor, 9> c;
    for (int k = 1; k <= 8; ++k)
        c[k] = QColor(QColor::fromHsv(k * 40, 255, 200).rgb()); // none is white, blue or navy
    return c;
}();
const Echelles initiales{5, 100, 5, 10};
const GeometrieTrace ecran = geometrie_ecran(616, 469);
const QRect zone_nom(50, 10, 150, 20);

struct Donnees {
    std::unique_ptr<Tableau> tab = std::make_unique<Tableau>();
    int n = 0;
    std::array<bool, 9> coches{};
    void ajoute(double x, std::initializer_list<double> ys) {
        std::array<double, nb_colonnes_lues + 1> v{0, x};
        int k = 2;
        for (double y : ys)
            if (k <= nb_colonnes_lues) v[k++] = y; // columns 8 and 9 follow from 3, 5 and 7
        tab->ajoute(v);
        n = tab->taille();
    }
};

DonneesTrace pour(const Echelles& e, const Donnees& d, const QString& epaisseur, const QString& chemin,
                  const QString& note) {
    DonneesTrace r;
    r.echelles = e;
    r.tableau = d.tab.get();
    r.nb_enreg = d.n;
    r.coches = d.coches;
    r.couleurs = couleurs;
    r.texte_epaisseur = epaisseur;
    r.chemin_cible = chemin;
    r.note_echelle_invalide = note;
    return r;
}

QImage peint(const Echelles& e, const Donnees& d, const QString& epaisseur, QSize taille = {616, 469}) {
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::black);
    trace_ecran(image, pour(e, d, epaisseur, QStringLiteral("C:\\runs/run7.txt"), QStringLiteral("INVALID")));
    return image;
}

// The scene on a picture of `taille` window pixels at density r.
QImage peint_dense(qreal r, const Donnees& d, const QString& epaisseur, QSize taille = {616, 469}) {
    QImage image = image_ecran(taille, r);
    image.fill(Qt::black);
    trace_ecran(image, pour(initiales, d, epaisseur, QStringLiteral("/runs/run7.txt"), QString()));
    return image;
}

// The window pixel whose square holds the centre of device pixel (x, y).
QPoint pixel_fenetre(int x, int y, qreal r) {
    return {int(std::floor((x + 0.5) / r)), int(std::floor((y + 0.5) / r))};
}

// A centre on the edge between two window pixels may go to either.
bool sur_un_bord(int x, int y, qreal r) {
    const auto bord = [r](int v) { return (v + 0.5) / r == std::floor((v + 0.5) / r); };
    return bord(x) || bord(y);
}

int compte(const QImage& image, const QRect& zone, const QColor& couleur) {
    int n = 0;
    const QRect r = zone & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == couleur;
    return n;
}

// Records the texts a painter is asked to draw, at their baseline-left points.
struct Releve : QPaintDevice {
    struct Moteur : QPaintEngine {
        Moteur() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawLines(const QLineF* l, int n) override {
            for (int i = 0; i < n; ++i)
                traits.append(l[i].toLine());
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& t) override {
            textes.append({p.toPoint(), t.text()});
        }
        Type type() const override { return User; }
        QList<QPair<QPoint, QString>> textes;
        QList<QLine> traits;
    };
    QPaintEngine* paintEngine() const override { return &moteur; }
    int metric(PaintDeviceMetric m) const override {
        if (m == PdmDevicePixelRatioScaled) return static_cast<int>(devicePixelRatioFScale());
        if (m == PdmWidth) return 616; // the picture of the screen geometry
        if (m == PdmHeight) return 469;
        return m == PdmDevicePixelRatio ? 1 : m == PdmDepth ? 32 : 600;
    }
    mutable Moteur moteur;
};

} // namespace

class TestTrace : public QObject {
    Q_OBJECT

  private slots:
    void geometrie_et_axes() {
        const auto u = [](int a) { return unite_relative(ecran, a); };
        QCOMPARE(QList<int>({ecran.largeur_trace, ecran.hauteur_trace, ecran.origine_x, ecran.origine_y}),
                 QList<int>({576, 429, 40, 439}));
        QCOMPARE(QList<int>({u(10), u(15), u(20)}), QList<int>({5, 8, 11}));
        QVERIFY(std::abs(QFontMetrics(police_graphe(469 / 25)).height() - 18) <= 1);

        const QImage im = peint(initiales, Donnees{}, QStringLiteral("never read"));
        QCOMPARE(compte(im, im.rect(), Qt::black), 0);
        QCOMPARE(compte(im, QRect(40, 439, 576, 1), bleu), 576); // runs past the right edge
        QCOMPARE(compte(im, QRect(40, 0, 1, 440), bleu), 440);   // and past the top
        // Ticks u(10) = 5 pixels long: two on x (0 and 5, labels hide their lower end), eleven on y.
        QCOMPARE(compte(im, QRect(0, 441, 616, 1), bleu), 2);
        QCOMPARE(im.pixelColor(615, 441), bleu);
        QCOMPARE(compte(im, QRect(36, 0, 1, 469), bleu), 11);
        QCOMPARE(compte(im, QRect(35, 0, 1, 469), bleu), 0);
        QVERIFY(compte(im, zone_nom, marine) > 20);
    }

    // Every tick stands where a record of its value is drawn (the full-scale tick on the
    // picture's last column), under its label.
    void graduations_data() {
        QTest::addColumn<double>("etendue");
        QTest::addColumn<double>("pas");
        QTest::addColumn<QStringList>("attendues");
        QTest::newRow("50") << 50.0 << 10.0 << QStringList{"0", "10", "20", "30", "40", "50"};
        QTest::newRow("65") << 65.0 << 10.0 << QStringList{"0", "10", "20", "30", "40", "50", "60"};
        QTest::newRow("105") << 105.0 << 15.0 << QStringList{"0", "15", "30", "45", "60", "75", "90", "105"};
        QTest::newRow("125") << 125.0 << 15.0
                             << QStringList{"0", "15", "30", "45", "60", "75", "90", "105", "120"};
        QTest::newRow("3.5: full scale") << 3.5 << 5.0 << QStringList{"0", "3,5"};
        QTest::newRow("1e6: wide labels") << 1e6 << 5e5 << QStringList{"0", "500000", "1000000"};
    }

    void graduations() {
        QFETCH(double, etendue);
        QFETCH(double, pas);
        QFETCH(QStringList, attendues);
        Releve releve;
        QPainter p(&releve);
        p.setFont(police_graphe(18));
        const QFontMetrics fm = p.fontMetrics();
        axe_x(p, ecran, etendue, pas, QLatin1Char(','), marine);
        axe_y(p, ecran, etendue, pas, QLatin1Char(','), marine);
        const auto& textes = releve.moteur.textes;
        QList<int> colonnes, lignes;
        for (const QLine& l : releve.moteur.traits) // ticks point down from x, left from y
            if (l.x1() == l.x2() && l.y1() == 439 && l.y2() > l.y1()) colonnes.append(l.x1());
            else if (l.y1() == l.y2() && l.x1() == 40 && l.x2() < l.x1()) lignes.append(l.y1());
        const int n = attendues.size() - 1;
        QCOMPARE(textes.size(), 2 * attendues.size());
        QCOMPARE(colonnes.size(), n + 1);
        QCOMPARE(lignes.size(), n + 1);
        const Echelles e{etendue, etendue, pas, pas};
        for (int i = 0; i <= n; ++i) {
            const double v = n == 1 ? i * etendue : i * pas;
            const QPoint record = vers_pixel(ecran, e, v, v);
            QCOMPARE(colonnes[i], std::min(record.x(), 615));
            QCOMPARE(lignes[i], record.y());
            const auto& [px, tx] = textes[i];
            const auto& [py, ty] = textes[n + 1 + i];
            QCOMPARE(tx, attendues[i]);
            QCOMPARE(ty, attendues[i]);
            // Centred on its tick, unless that would cut it at the picture's edge.
            const int largeur = fm.horizontalAdvance(tx);
            QVERIFY(std::abs(px.x() + largeur / 2 - std::min(colonnes[i], 616 - largeur + largeur / 2)) <= 1);
            QVERIFY(px.x() >= 0 && px.x() + largeur <= 616);
            QCOMPARE(px.y(), 440 + fm.ascent());
            QVERIFY(py.x() >= 0);
            QVERIFY(std::abs(py.x() + largeur / 2 - std::max(20, largeur / 2)) <= 1);
            QCOMPARE(py.y(), lignes[i] + 5);
        }
    }

    // Two checked curves never share a colour; curve 8 is teal.
    void couleurs_de_depart() {
        QCOMPARE(couleurs_courbes_depart[8], QColor(0x00, 0x80, 0x80));
        for (int k = 1; k <= 8; ++k)
            for (int j = 1; j < k; ++j)
                QVERIFY(couleurs_courbes_depart[j] != couleurs_courbes_depart[k]);
    }

    // Right end and bottom on the point; the painter keeps its own pen.
    void texte_ancre_g_h() {
        Releve releve;
        QPainter p(&releve);
        p.setFont(police_graphe(30));
        p.setPen(Qt::red);
        texte_ancre(p, 100, 50, QStringLiteral("HIH"), QLatin1Char('g'), QLatin1Char('h'), marine);
        QCOMPARE(p.pen().color(), QColor(Qt::red));
        const QFontMetrics fm = p.fontMetrics();
        QCOMPARE(releve.moteur.textes.value(0).first,
                 QPoint(100 - fm.horizontalAdvance("HIH"), 50 - fm.descent()));
    }

    // A single record: one 5-pixel dot per checked curve, nothing of the others.
    void courbes_cochees() {
        Donnees d;
        d.ajoute(2.5, {10, 20, 30, 40, 50, 55, 70, 80});
        d.coches = {false, true, false, true, false, false, true, false, true};
        QCOMPARE(vers_pixel(ecran, initiales, 2.5, 55), QPoint(328, 203));
        const QImage im = peint(initiales, d, QStringLiteral("2"));
        for (int k = 1; k <= 8; ++k) {
            const QPoint q = vers_pixel(ecran, initiales, 2.5, (*d.tab)(k + 1, 1));
            QCOMPARE(compte(im, im.rect(), couleurs[k]), d.coches[k] ? 21 : 0);
            QCOMPARE(compte(im, QRect(q.x() - 3, q.y(), 7, 1), couleurs[k]), d.coches[k] ? 5 : 0);
            QCOMPARE(compte(im, QRect(q.x(), q.y() - 3, 1, 7), couleurs[k]), d.coches[k] ? 5 : 0);
        }
    }

    // Record 2 lands on record 1's dots of the other curve: the later record wins there, and
    // within a record curve 2 is drawn over curve 1.
    void ordre_par_enregistrement() {
        Donnees d;
        d.ajoute(2, {20, 60});
        d.ajoute(2, {60, 20});
        d.ajoute(2, {90, 90});
        d.coches[1] = d.coches[2] = true;
        const QImage im = peint(initiales, d, QStringLiteral("2"));
        const auto bord = [&](double y) {
            return im.pixelColor(vers_pixel(ecran, initiales, 2, y) + QPoint(2, 0));
        };
        QCOMPARE(bord(60), couleurs[1]);
        QCOMPARE(bord(20), couleurs[2]);
        QCOMPARE(bord(90), couleurs[2]);
    }

    void epaisseur_data() {
        QTest::addColumn<QString>("epaisseur");
        QTest::addColumn<bool>("avec_enreg");
        QTest::addColumn<bool>("erreur");
        QTest::newRow("2") << "2" << true << false;
        QTest::newRow("not an integer") << "2,5" << true << true;
        QTest::newRow("empty") << "" << true << true;
        QTest::newRow("never read without records") << "abc" << false << false;
        QTest::newRow("negative drawn as 0") << "-3" << true << false;
    }

    // A bad thickness stops the pass at the first dot: axes drawn, no curve, no file name.
    void epaisseur() {
        QFETCH(QString, epaisseur);
        QFETCH(bool, avec_enreg);
        QFETCH(bool, erreur);
        Donnees d;
        d.coches[1] = true;
        if (avec_enreg) {
            d.ajoute(1, {50});
            d.ajoute(4, {80});
        }
        QImage im(616, 469, QImage::Format_RGB32);
        QString message;
        try {
            trace_ecran(im, pour(initiales, d, epaisseur, QStringLiteral("/r/a.txt"), QString()));
        } catch (const ErreurRez& e) {
            message = e.texte();
        }
        QCOMPARE(message,
                 erreur ? QStringLiteral("'%1' is not a valid integer value.").arg(epaisseur) : QString());
        QCOMPARE(compte(im, QRect(36, 0, 1, 469), bleu), 11);
        QCOMPARE(compte(im, zone_nom, marine) > 0, !erreur);
        QCOMPARE(compte(im, im.rect(), couleurs[1]) > 0, avec_enreg && !erreur);
    }

    // A thickness above 50 draws as 50: wider lines hide the curves and cost seconds a pass.
    void epaisseur_bornee() {
        Donnees d;
        for (int i = 0; i < 40; ++i)
            d.ajoute(i * 0.1, {50.0 + (i % 7) * 5});
        d.coches[1] = true;
        const QImage cinquante = peint(initiales, d, QStringLiteral("50"));
        QCOMPARE(peint(initiales, d, QStringLiteral("1000"), {616, 469}), cinquante);
        QCOMPARE(peint(initiales, d, QStringLiteral("51"), {616, 469}), cinquante);
        QVERIFY(peint(initiales, d, QStringLiteral("49"), {616, 469}) != cinquante);
    }

    void echelle_invalide_data() {
        QTest::addColumn<Echelles>("e");
        QTest::newRow("x full scale 0") << Echelles{0, 100, 0, 10};
        QTest::newRow("y step 0") << Echelles{5, -20, 5, 0};
        QTest::newRow("x step 0") << Echelles{30, 100, 0, 10};
        QTest::newRow("not a number") << Echelles{qQNaN(), 100, 5, 10};
        QTest::newRow("infinite") << Echelles{5, qInf(), 5, 10};
        QTest::newRow("absurd tick count") << Echelles{1e30, 100, 5, 10};
    }

    // Bare axis lines, the note near the centre, the file name; no ticks, labels or curves.
    void echelle_invalide() {
        QFETCH(Echelles, e);
        Donnees d;
        d.ajoute(1, {50});
        d.coches[1] = true;
        const QImage im = peint(e, d, QStringLiteral("2"));
        QCOMPARE(compte(im, QRect(40, 439, 576, 1), bleu), 576);
        QCOMPARE(compte(im, QRect(40, 0, 1, 440), bleu), 440);
        QCOMPARE(compte(im, QRect(0, 440, 616, 29), bleu) + compte(im, QRect(0, 0, 40, 469), bleu), 0);
        QCOMPARE(compte(im, im.rect(), couleurs[1]), 0);
        QVERIFY(compte(im, QRect(250, 190, 120, 60), marine) > 20);
        QVERIFY(compte(im, zone_nom, marine) > 20);
    }

    void petite_image() {
        Donnees d;
        d.ajoute(1, {50});
        d.coches[1] = true;
        for (const QSize taille : {QSize(0, 0), QSize(30, 30), QSize(40, 300), QSize(300, 39)}) {
            const QImage im = peint(initiales, d, QStringLiteral("2"), taille);
            QCOMPARE(compte(im, im.rect(), Qt::white), taille.width() * taille.height());
        }
    }

    void arrondi_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("colonne");
        const std::pair<double, int> cas[] = {{2.5, 2},   {3.5, 4},       {0.5, 0},         {-0.5, 0},
                                              {-1.5, -2}, {2.5000001, 3}, {-2.4999999, -2}, {1e300, 1 << 29}};
        for (const auto& [x, c] : cas)
            QTest::addRow("%g", x) << x << c;
    }

    // Halves go to the even neighbour whatever the rounding mode left by someone else.
    void arrondi() {
        QFETCH(double, x);
        QFETCH(int, colonne);
        const GeometrieTrace g{8, 8, 0, 8, 8};
        for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
            std::fesetround(mode);
            const QPoint q = vers_pixel(g, Echelles{8, 8, 5, 5}, x, x);
            std::fesetround(FE_TONEAREST);
            QCOMPARE(q, QPoint(colonne, 8 - colonne));
        }
    }

    // Copied dots and skipped short lines must give exactly the painter's own pixels; a clipped
    // painter takes the painter's path for everything.
    void copie_egale_peintre_data() {
        QTest::addColumn<QString>("epaisseur");
        QTest::addColumn<int>("format");
        QTest::addColumn<double>("bruit");
        QTest::addColumn<double>("densite");
        for (const char* t : {"0", "1", "2", "3", "5", "12", "50", "1000"})
            QTest::newRow(t) << QString::fromLatin1(t) << int(QImage::Format_RGB32) << 1.0 << 1.0;
        QTest::newRow("2 premultiplied") << "2" << int(QImage::Format_ARGB32_Premultiplied) << 1.0 << 1.0;
        // Lines of every length and slope, many of them across the picture's edges.
        for (const char* t : {"1", "2", "3"})
            QTest::addRow("%s noisy", t)
                << QString::fromLatin1(t) << int(QImage::Format_RGB32) << 12.0 << 1.0;
        for (double r : {2.0, 3.0, 1.5, 2.5})
            for (const char* t : {"0", "1", "2", "5"}) {
                QTest::addRow("%s at %gx", t, r)
                    << QString::fromLatin1(t) << int(QImage::Format_RGB32) << 1.0 << r;
                QTest::addRow("%s noisy at %gx", t, r)
                    << QString::fromLatin1(t) << int(QImage::Format_RGB32) << 12.0 << r;
            }
    }

    void copie_egale_peintre() {
        QFETCH(QString, epaisseur);
        QFETCH(int, format);
        QFETCH(double, bruit);
        QFETCH(double, densite);
        Donnees d;
        QRandomGenerator gen(11);
        double y[8] = {};
        for (int i = 0; i < 400; ++i) {
            for (double& v : y)
                v = bruit > 1 ? 50 + (gen.bounded(8.0) - 4) * bruit
                              : v + (gen.bounded(6.0) - 3) * (i % 50 == 0 ? 20 : 1);
            const double x = i < 200 ? i * 0.03 - 0.5 : gen.bounded(7.0) - 1; // then back and forth
            d.ajoute(x, {y[0] + 50, y[1] + 40, y[2], y[3] + 100, y[4] + 50, y[5] + 60, y[6] - 5, y[7] + 50});
        }
        d.coches = {false, true, true, true, true, true, true, false, true};
        auto transparentes = couleurs;
        transparentes[3].setAlpha(128);
        QImage images[2];
        for (int i = 0; i < 2; ++i) {
            images[i] = QImage(qRound(300 * densite), qRound(240 * densite), QImage::Format(format));
            images[i].setDevicePixelRatio(densite);
            images[i].fill(Qt::white);
            QPainter p(&images[i]);
            if (i == 1) p.setClipRect(images[i].rect());
            trace_courbes(p, geometrie_ecran(300, 240), initiales, *d.tab, d.n, d.coches, transparentes,
                          epaisseur);
        }
        QVERIFY(compte(images[0], images[0].rect(), Qt::white) <
                images[0].width() * images[0].height() * 9 / 10);
        QCOMPARE(images[0], images[1]);
    }

    void image_ecran_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("densite");
        QTest::addColumn<QSize>("appareil");
        QTest::newRow("1") << 1.0 << 1.0 << QSize(616, 469);
        QTest::newRow("2") << 2.0 << 2.0 << QSize(1232, 938);
        QTest::newRow("1.25") << 1.25 << 1.25 << QSize(770, 586);
        QTest::newRow("1.5") << 1.5 << 1.5 << QSize(924, 704);
        QTest::newRow("below 1: one device pixel each") << 0.5 << 1.0 << QSize(616, 469);
        QTest::newRow("no ratio") << qQNaN() << 1.0 << QSize(616, 469);
    }

    // Whatever the density, the picture keeps its size in window pixels, the plot's geometry
    // with it, and nothing of it is left unpainted.
    void image_ecran() {
        QFETCH(double, ratio);
        QFETCH(double, densite);
        QFETCH(QSize, appareil);
        const QImage im = peint_dense(ratio, Donnees{}, QStringLiteral("2"));
        QCOMPARE(im.devicePixelRatio(), densite);
        QCOMPARE(im.size(), appareil);
        QCOMPARE(taille_logique(im), QSize(616, 469));
        QCOMPARE(compte(im, im.rect(), Qt::black), 0);
        const QPoint origine(int(40.5 * densite), int(439.5 * densite));
        QCOMPARE(im.pixelColor(origine), bleu);
    }

    void densite_garde_les_axes_data() {
        QTest::addColumn<double>("r");
        QTest::newRow("2") << 2.0;
        QTest::newRow("3") << 3.0;
        QTest::newRow("1.5") << 1.5;
    }

    // Axis lines and ticks fill exactly the device pixels of the window pixels they fill at 1x,
    // wherever no label covers them in either picture.
    void densite_garde_les_axes() {
        QFETCH(double, r);
        const QImage un = peint_dense(1, Donnees{}, QStringLiteral("2"));
        const QImage dense = peint_dense(r, Donnees{}, QStringLiteral("2"));
        int bleus = 0;
        for (int y = 0; y < dense.height(); ++y)
            for (int x = 0; x < dense.width(); ++x) {
                const QPoint p = pixel_fenetre(x, y, r);
                if (!un.rect().contains(p) || sur_un_bord(x, y, r)) continue;
                const QColor c = dense.pixelColor(x, y);
                const QColor attendue = un.pixelColor(p);
                if (c == marine || attendue == marine) continue;
                bleus += c == bleu;
                if ((c == bleu) != (attendue == bleu))
                    QFAIL(qPrintable(QStringLiteral("device pixel %1,%2").arg(x).arg(y)));
            }
        QVERIFY(bleus > compte(un, un.rect(), bleu) * r * r / 3);
    }

    // A dot is 2t + 1 window pixels across and a line t wide (a hairline one), drawn at the
    // density's own resolution around the same window pixel.
    void densite_garde_points_et_lignes_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
    }
    void densite_garde_points_et_lignes() {
        QFETCH(int, n);
        for (int t : {0, 1, 2, 5}) {
            Donnees d;
            d.ajoute(1, {50});
            d.ajoute(4, {50});
            d.coches[1] = true;
            const QString ep = QString::number(t);
            const QImage dense = peint_dense(n, d, ep);
            const QPoint q = vers_pixel(ecran, initiales, 1, 50);
            const QRect boite(q - QPoint(t, t), QSize(2 * t + 1, 2 * t + 1));
            // The dot's left half, where the line to the next record does not reach.
            QRect vue;
            for (int y = (boite.top() - 1) * n; y < (boite.bottom() + 2) * n; ++y)
                for (int x = (boite.left() - 1) * n; x <= q.x() * n; ++x)
                    if (dense.pixelColor(x, y) == couleurs[1]) vue |= QRect(x, y, 1, 1);
            QCOMPARE(vue, QRect(QPoint(boite.left() * n, boite.top() * n),
                                QPoint(q.x() * n, (boite.bottom() + 1) * n - 1)));
            const int milieu = vers_pixel(ecran, initiales, 2.5, 50).x() * n;
            QCOMPARE(compte(dense, QRect(milieu, 0, 1, dense.height()), couleurs[1]), std::max(t, 1) * n);
        }
    }
};

QTEST_MAIN(TestTrace)
#include "test_trace.moc"
