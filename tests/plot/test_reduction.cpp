#include "util_rez/plot/reduction.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

namespace {

const GeometrieTrace geo = geometrie_ecran(300, 240);

// 20 000 records of curve 1 (and of every other curve when `toutes`) in one of a few shapes.
std::unique_ptr<Tableau> course(const QString& forme, quint32 graine) {
    auto t = std::make_unique<Tableau>();
    QRandomGenerator gen(graine);
    double y = 50;
    for (int i = 1; i <= 20000; ++i) {
        double x = i * 0.00025; // four records per pixel column, some columns of five
        if (forme == u"x back and forth") x = gen.bounded(6.0);
        if (forme == u"x repeats") x = (i / 700) * 0.2;
        y = forme == u"random walk" ? y + gen.bounded(4.0) - 2 : 50 + gen.bounded(10.0);
        if (forme == u"spikes" && gen.bounded(500) == 0) y = gen.bounded(2) ? 140 : -30;
        if (forme == u"huge values" && gen.bounded(300) == 0) y = gen.bounded(2) ? 1e300 : -1e300;
        std::array<double, nb_colonnes_lues + 1> v{0, x};
        for (int c = 2; c <= 7; ++c)
            v[c] = y + c * 3 + gen.bounded(2.0);
        t->ajoute(v);
    }
    return t;
}

QImage dessin(const Tableau& t, const std::array<bool, 9>& coches, const QString& epaisseur, bool reduit,
              const ResumeBlocs* resume) {
    QImage image(300, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const Echelles e{5, 100, 5, 10};
    std::array<QColor, 9> couleurs;
    for (int k = 1; k <= 8; ++k)
        couleurs[k] = QColor::fromHsv(k * 40, 255, 200);
    if (reduit) {
        trace_courbes(p, geo, e, t, t.taille(), coches, couleurs, epaisseur, resume);
        return image;
    }
    Parcours tous;
    for (int i = 1; i <= t.taille(); ++i)
        tous.push_back({i, 0x1FE});
    trace_parcours(p, geo, e, t, tous, 0, coches, couleurs, epaisseur);
    return image;
}

// The records of curve k whose point lies on the picture but is left white.
int points_blancs(const QImage& im, const Tableau& t, int k) {
    int blancs = 0;
    for (int i = 1; i <= t.taille(); ++i) {
        const QPoint q = vers_pixel(geo, {5, 100, 5, 10}, t(1, i), t(k + 1, i));
        blancs += im.rect().contains(q) && im.pixel(q) == qRgb(255, 255, 255);
    }
    return blancs;
}

} // namespace

class TestReduction : public QObject {
    Q_OBJECT
  private slots:
    void reduit_comme_entier_data() {
        QTest::addColumn<QString>("forme");
        for (const char* f : {"random walk", "noise", "spikes", "x back and forth", "x repeats", "huge values"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    // One-pixel lines: the reduced picture is the picture of every record. Thicker: every
    // record's point is still painted, its column's extremes by their own dots. With the
    // summary or by walking the records alike.
    void reduit_comme_entier() {
        QFETCH(QString, forme);
        const auto t = course(forme, 7);
        ResumeBlocs resume;
        for (int n = 1000; n <= t->taille(); n += 9500) // built in two steps
            resume.suit(*t, n);
        resume.suit(*t, t->taille());
        QVERIFY(parcours_trace(geo, {5, 100, 5, 10}, *t, t->taille(), {false, true}, 0, &resume).size() <
                size_t(forme == u"x back and forth" ? 20001 : 2000));
        for (int k = 1; k <= 8; ++k) {
            std::array<bool, 9> une{};
            une[k] = true;
            const QImage entier = dessin(*t, une, QStringLiteral("0"), false, nullptr);
            QCOMPARE(dessin(*t, une, QStringLiteral("0"), true, nullptr), entier);
            QCOMPARE(dessin(*t, une, QStringLiteral("0"), true, &resume), entier);
            QCOMPARE(points_blancs(dessin(*t, une, QStringLiteral("2"), true, &resume), *t, k), 0);
        }
    }
};

QTEST_MAIN(TestReduction)
#include "test_reduction.moc"
