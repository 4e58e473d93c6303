#include "util_rez/conversions.h"
#include "util_rez/trace.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// Keeps 2t + 1 far from overflow and a dot from covering more than any screen.
constexpr int epaisseur_max = 1000;
// Wider dots are rare enough to go through the painter.
constexpr int epaisseur_max_tampon = 100;
// Beyond this the table of covered lines costs more to build than it saves.
constexpr int portee_t_max = 6;

int lit_epaisseur(const QString& texte) {
    return std::clamp<int>(StrToInt(texte), 0, epaisseur_max);
}

// Aliased one-pixel drawing puts an integer point on that very pixel; wider pens are exact
// geometry whose pixel centre lies at +0.5.
QPointF centre_pixel(QPoint q) {
    return {q.x() + 0.5, q.y() + 0.5};
}

// The dot: a zero-length line paints nothing here, a point with a wide round pen is the disc.
void point_peintre(QPainter& p, QPoint q, int t, const QColor& couleur) {
    if (t == 0) {
        p.setPen(QPen(couleur, 1));
        p.drawPoint(q);
        return;
    }
    p.setPen(QPen(couleur, 2 * t + 1, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(centre_pixel(q));
}

void ligne_peintre(QPainter& p, const QPen& crayon, QPoint a, QPoint b, int t) {
    p.setPen(crayon);
    if (t <= 1)
        p.drawLine(a, b);
    else
        p.drawLine(centre_pixel(a), centre_pixel(b));
}

struct Rangee {
    int dy, x0, x1;
};

// The painter's own dot, recorded once as pixel runs and then copied for every point: the same
// pixels at a fraction of the cost of stroking a round cap each time. Also knows which short
// lines fall wholly inside the dot at their end, which the dot just painted in the same colour,
// so that drawing them changes no pixel.
class Tampon {
  public:
    // The painter detached the image when it began, so bits() is the very buffer it paints into.
    Tampon(int t, const std::array<QColor, 9>& couleurs, const std::array<bool, 9>& coches, QImage& image)
        : t_(t), portee_(t <= portee_t_max ? t + 1 : 0), largeur_(image.width()), hauteur_(image.height()),
          pixels_(image.bits()), pas_ligne_(image.bytesPerLine()) {
        releve_point();
        releve_lignes_couvertes();
        for (int k = 1; k <= 8; ++k)
            if (coches[k]) valeurs_[k] = valeur_pixel(couleurs[k], image.format());
    }

    void applique(QPoint q, int k) const {
        for (const Rangee& r : rangees_) {
            const int y = q.y() + r.dy;
            if (y < 0 || y >= hauteur_) continue;
            const int a = std::max(0, q.x() + r.x0);
            const int b = std::min(largeur_ - 1, q.x() + r.x1);
            if (a > b) continue;
            auto* ligne = reinterpret_cast<uint32_t*>(pixels_ + y * pas_ligne_);
            std::fill(ligne + a, ligne + b + 1, valeurs_[k]);
        }
    }

    // True when the line from `depuis` to `vers` paints only pixels of the dot at `vers`.
    bool ligne_couverte(QPoint depuis, QPoint vers) const {
        const int dx = depuis.x() - vers.x();
        const int dy = depuis.y() - vers.y();
        if (std::abs(dx) > portee_ || std::abs(dy) > portee_) return false;
        return couvertes_[indice(dx, dy)];
    }

  private:
    int cote_case() const { return 2 * (t_ + portee_) + 9; }
    int indice(int dx, int dy) const { return (dy + portee_) * (2 * portee_ + 1) + dx + portee_; }

    void releve_point() {
        const int cote = cote_case();
        const int c = cote / 2;
        QImage modele(cote, cote, QImage::Format_RGB32);
        modele.fill(Qt::white);
        {
            QPainter p(&modele);
            point_peintre(p, {c, c}, t_, Qt::black);
        }
        for (int y = 0; y < cote; ++y)
            ajoute_rangees(modele, y, c);
    }

    void ajoute_rangees(const QImage& modele, int y, int c) {
        const auto* ligne = reinterpret_cast<const uint32_t*>(modele.constScanLine(y));
        for (int x = 0; x < modele.width();) {
            if (ligne[x] == fond) {
                ++x;
                continue;
            }
            const int debut = x;
            while (x < modele.width() && ligne[x] != fond)
                ++x;
            rangees_.push_back({y - c, debut - c, x - 1 - c});
        }
    }

    bool dans_point(int dx, int dy) const {
        return std::any_of(rangees_.begin(), rangees_.end(),
                           [&](const Rangee& r) { return r.dy == dy && r.x0 <= dx && dx <= r.x1; });
    }

    // Every short line drawn once, each in its own cell of one scratch picture.
    void releve_lignes_couvertes() {
        const int n = 2 * portee_ + 1;
        const int cote = cote_case();
        QImage essai(n * cote, n * cote, QImage::Format_RGB32);
        essai.fill(Qt::white);
        {
            QPainter p(&essai);
            const QPen crayon(Qt::black, t_, Qt::SolidLine, Qt::SquareCap);
            for (int dy = -portee_; dy <= portee_; ++dy)
                for (int dx = -portee_; dx <= portee_; ++dx) {
                    const QPoint centre(centre_case(dx), centre_case(dy));
                    ligne_peintre(p, crayon, centre + QPoint(dx, dy), centre, t_);
                }
        }
        couvertes_.assign(n * n, true);
        for (int y = 0; y < essai.height(); ++y) {
            const auto* ligne = reinterpret_cast<const uint32_t*>(essai.constScanLine(y));
            for (int x = 0; x < essai.width(); ++x)
                if (ligne[x] != fond) marque_pixel_de_ligne(x, y);
        }
    }

    int centre_case(int d) const { return (d + portee_) * cote_case() + cote_case() / 2; }

    void marque_pixel_de_ligne(int x, int y) {
        const int cote = cote_case();
        const int dx = x / cote - portee_;
        const int dy = y / cote - portee_;
        if (!dans_point(x - centre_case(dx), y - centre_case(dy))) couvertes_[indice(dx, dy)] = false;
    }

    static uint32_t valeur_pixel(const QColor& couleur, QImage::Format format) {
        QImage un(1, 1, format);
        {
            QPainter p(&un);
            point_peintre(p, {0, 0}, 0, couleur);
        }
        return *reinterpret_cast<const uint32_t*>(un.constScanLine(0));
    }

    static constexpr uint32_t fond = 0xFFFFFFFFu;
    int t_;
    int portee_;
    int largeur_;
    int hauteur_;
    uchar* pixels_;
    qsizetype pas_ligne_;
    std::vector<Rangee> rangees_;
    std::vector<bool> couvertes_;
    std::array<uint32_t, 9> valeurs_{};
};

// The image behind the painter when copying pixels into it gives what the painter would paint.
QImage* image_directe(QPainter& p) {
    QPaintDevice* d = p.device();
    if (d == nullptr || d->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(d);
    const QImage::Format f = image->format();
    const bool format_32 =
        f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
    const bool simple = image->devicePixelRatio() == 1.0 && !p.hasClipping() &&
                        p.combinedTransform().type() == QTransform::TxNone &&
                        p.compositionMode() == QPainter::CompositionMode_SourceOver && p.opacity() == 1.0 &&
                        !p.testRenderHint(QPainter::Antialiasing);
    return format_32 && simple ? image : nullptr;
}

bool couleur_opaque(const QColor& c) {
    return c.isValid() && c.alpha() == 255;
}

} // namespace

void trace_courbes(QPainter& p, const GeometrieTrace& geo, const Echelles& echelles, const Tableau& tableau,
                   int nb_enreg, const std::array<bool, 9>& coches, const std::array<QColor, 9>& couleurs,
                   const QString& texte_epaisseur) {
    const bool une_cochee = std::any_of(coches.begin() + 1, coches.end(), [](bool c) { return c; });
    const bool divisible = std::isfinite(echelles.etendue_x) && std::isfinite(echelles.etendue_y) &&
                           echelles.etendue_x > 0 && echelles.etendue_y > 0;
    if (nb_enreg <= 0 || !une_cochee || !divisible) return;
    const int n = std::min(nb_enreg, capacite_tableau);
    const int t = lit_epaisseur(texte_epaisseur);

    // Square caps keep lines on the painter's fast path; round ones, which would end inside the
    // dots anyway, cost several times as much.
    std::array<QPen, 9> crayons;
    for (int k = 1; k <= 8; ++k)
        crayons[k] = QPen(couleurs[k], t, Qt::SolidLine, Qt::SquareCap);
    QImage* image = t <= epaisseur_max_tampon ? image_directe(p) : nullptr;
    std::array<bool, 9> copie{};
    std::optional<Tampon> tampon;
    if (image != nullptr) {
        tampon.emplace(t, couleurs, coches, *image);
        for (int k = 1; k <= 8; ++k)
            copie[k] = coches[k] && couleur_opaque(couleurs[k]);
    }

    std::array<QPoint, 9> precedent;
    for (int i = 1; i <= n; ++i) {
        const int colonne = colonne_pixel(geo, echelles, tableau(1, i));
        for (int k = 1; k <= 8; ++k) {
            if (!coches[k]) continue;
            const QPoint q(colonne, ligne_pixel(geo, echelles, tableau(k + 1, i)));
            if (copie[k])
                tampon->applique(q, k);
            else
                point_peintre(p, q, t, couleurs[k]);
            if (i > 1 && !(copie[k] && tampon->ligne_couverte(precedent[k], q)))
                ligne_peintre(p, crayons[k], precedent[k], q, t);
            precedent[k] = q;
        }
    }
}
