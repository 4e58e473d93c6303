#include "_rez/widgets/glyphes.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

// The colours of a glyph; a disabled one takes each colour's grey, paler.
struct Encre {
    bool grisee = false;
    QColor operator()(const QColor& c) const {
        if (!grisee) return c;
        const int g = 150 + qGray(c.rgb()) * 95 / 255;
        return QColor(g, g, g, c.alpha());
    }
    QColor trait() const { return (*this)(QColor(60, 60, 70)); }
};

using Dessin = std::function<void(QPainter&, const Encre&)>;

QIcon glyphe(int taille, const Dessin& dessin) {
    QIcon icone;
    for (const bool grisee : {false, true})
        for (const int echelle : {1, 2}) {
            QPixmap image(taille * echelle, taille * echelle);
            image.setDevicePixelRatio(echelle);
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.translate(0.5, 0.5); // one-pixel lines on whole pixels
            dessin(p, Encre{grisee});
            p.end();
            icone.addPixmap(image, grisee ? QIcon::Disabled : QIcon::Normal);
        }
    return icone;
}

void feuille(QPainter& p, const Encre& e, const QRectF& r) {
    p.setPen(QPen(e.trait(), 1));
    p.setBrush(e(Qt::white));
    p.drawRect(r);
}

void lignes(QPainter& p, const QColor& couleur, qreal x1, qreal x2, std::initializer_list<qreal> ys) {
    p.setPen(QPen(couleur, 1));
    for (qreal y : ys)
        p.drawLine(QPointF(x1, y), QPointF(x2, y));
}

} // namespace

QIcon glyphe_impression() {
    return glyphe(taille_glyphe, [](QPainter& p, const Encre& e) {
        feuille(p, e, {6, 1, 9, 7});
        p.setBrush(e(QColor(120, 140, 170)));
        p.drawRoundedRect(QRectF(1, 7, 19, 9), 2, 2);
        p.setBrush(e(QColor(40, 200, 60)));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(15.5, 9, 2.5, 2.5));
        feuille(p, e, {5, 12, 11, 9});
        lignes(p, e(QColor(0, 0, 128)), 7, 14, {15, 17, 19});
    });
}

QIcon glyphe_table_presse_papier() {
    return glyphe(taille_glyphe, [](QPainter& p, const Encre& e) {
        p.setPen(QPen(e.trait(), 1));
        p.setBrush(e(QColor(190, 140, 80)));
        p.drawRoundedRect(QRectF(2, 2, 17, 19), 2, 2);
        feuille(p, e, {4, 5, 13, 14});
        p.setBrush(e(QColor(110, 110, 120)));
        p.drawRoundedRect(QRectF(7, 0, 7, 4), 1, 1);
        const QColor grille = e(QColor(0, 0, 200));
        lignes(p, grille, 4, 17, {9, 13, 17});
        p.drawLine(QPointF(9, 5), QPointF(9, 19));
        p.drawLine(QPointF(13, 5), QPointF(13, 19));
    });
}

QIcon glyphe_tableur() {
    return glyphe(taille_glyphe, [](QPainter& p, const Encre& e) {
        feuille(p, e, {1, 2, 19, 17});
        p.setPen(Qt::NoPen);
        p.setBrush(e(QColor(30, 140, 60)));
        p.drawRect(QRectF(1.5, 2.5, 18, 4));
        p.setBrush(e(QColor(190, 230, 195)));
        p.drawRect(QRectF(1.5, 6.5, 4, 12));
        const QColor grille = e(QColor(30, 110, 50));
        lignes(p, grille, 1, 20, {6.5, 10.5, 14.5});
        for (qreal x : {5.5, 10.5, 15.5})
            p.drawLine(QPointF(x, 2), QPointF(x, 19));
        p.setPen(QPen(e.trait(), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 2, 19, 17));
    });
}

QIcon glyphe_setup() {
    return glyphe(taille_glyphe, [](QPainter& p, const Encre& e) {
        const QPointF centre(10.5, 10.5);
        QPainterPath roue;
        const int dents = 8;
        for (int i = 0; i < 2 * dents; ++i) {
            const double a = i * std::numbers::pi / dents;
            const double r = i % 2 == 0 ? 10.0 : 7.5;
            const double demi = std::numbers::pi / dents / 2;
            for (const double b : {a - demi, a + demi}) {
                const QPointF q = centre + QPointF(r * std::cos(b), r * std::sin(b));
                if (roue.elementCount() == 0)
                    roue.moveTo(q);
                else
                    roue.lineTo(q);
            }
        }
        roue.closeSubpath();
        roue.addEllipse(centre, 3.2, 3.2);
        p.setPen(QPen(e.trait(), 1));
        p.setBrush(e(QColor(110, 130, 160)));
        p.drawPath(roue);
    });
}

QIcon glyphe_couleur() {
    return glyphe(taille_glyphe_couleur, [](QPainter& p, const Encre& e) {
        const QColor couleurs[] = {QColor(220, 30, 30), QColor(30, 170, 50), QColor(30, 70, 220),
                                   QColor(245, 200, 20)};
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(e(couleurs[i]));
            p.drawRect(QRectF(i % 2 * 6.5, i / 2 * 6.5, 6.5, 6.5));
        }
        p.setPen(QPen(e.trait(), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0, 0, 12.5, 12.5));
    });
}

QIcon glyphe_demi_ecran(bool bas) {
    return glyphe(taille_glyphe_demi_ecran, [bas](QPainter& p, const Encre& e) {
        p.setPen(QPen(e.trait(), 1));
        p.setBrush(e(Qt::white));
        p.drawRect(QRectF(0, 1, 15, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(e(QColor(40, 110, 200)));
        p.drawRect(QRectF(1.5, bas ? 7.5 : 2.5, 12, 5));
        p.setBrush(e.trait());
        p.drawRect(QRectF(5, 13.5, 6, 1.5));
    });
}
