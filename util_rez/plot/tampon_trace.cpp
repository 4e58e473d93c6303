#include "util_rez/plot/tampon_trace.h"

#include "util_rez/plot/trace.h"

#include <QPainter>
#include <algorithm>

namespace {

// Beyond this the table of covered lines costs more to build than it saves.
constexpr int portee_t_max = 6;
// Longer or fatter lines are rare enough to go through the painter.
constexpr int cote_motif_max = 1024;
constexpr qsizetype aire_motif_max = 1 << 15;
constexpr uint32_t fond = 0xFFFFFFFFu;

// Aliased one-pixel drawing puts an integer point on that very pixel; wider pens are exact
// geometry whose pixel centre lies at +0.5.
QPointF centre_pixel(QPoint q) {
    return {q.x() + 0.5, q.y() + 0.5};
}

// Scaled, the one-pixel rule lands half a pixel off and a hairline shrinks to one device pixel:
// there every stroke is exact geometry around the pixel centres, at least one pixel wide.
bool echelle_simple(const QPainter& p) {
    return densite(p) == 1;
}

uint32_t valeur_pixel(const QColor& couleur, QImage::Format format) {
    QImage un(1, 1, format);
    {
        QPainter p(&un);
        point_peintre(p, {0, 0}, 0, couleur);
    }
    return *reinterpret_cast<const uint32_t*>(un.constScanLine(0));
}

// |dx| and |dy| are at most cote_motif_max, the phase index below 4.
uint64_t cle(int dx, int dy, int phase) {
    return (uint64_t(dx + 4096) << 32) | (uint64_t(dy + 4096) << 8) | uint64_t(phase);
}

} // namespace

// The dot: a zero-length line paints nothing here, a point with a wide round pen is the disc.
void point_peintre(QPainter& p, QPoint q, int t, const QColor& couleur) {
    if (t == 0) {
        if (!echelle_simple(p)) {
            p.fillRect(QRect(q, QSize(1, 1)), couleur);
            return;
        }
        p.setPen(QPen(couleur, 1));
        p.drawPoint(q);
        return;
    }
    p.setPen(QPen(couleur, 2 * t + 1, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(centre_pixel(q));
}

void ligne_peintre(QPainter& p, const QPen& crayon, QPoint a, QPoint b, int t) {
    p.setPen(crayon);
    if (t <= 1 && echelle_simple(p))
        p.drawLine(a, b);
    else
        p.drawLine(centre_pixel(a), centre_pixel(b));
}

// Square caps keep lines on the painter's fast path; round ones, which would end inside the
// dots anyway, cost several times as much.
QPen crayon_ligne(const QPainter& p, const QColor& couleur, int t) {
    return QPen(couleur, echelle_simple(p) ? t : std::max(t, 1), Qt::SolidLine, Qt::SquareCap);
}

bool TamponTrace::densite_copiable(qreal r) {
    return r >= 1 && r * 2 == std::floor(r * 2);
}

// The painter detached the image when it began, so bits() is the very buffer it paints into.
TamponTrace::TamponTrace(int t, const std::array<QColor, 9>& couleurs, const std::array<bool, 9>& coches,
                         QImage& image)
    : t_(t), portee_(t <= portee_t_max ? t + 1 : 0), image_(image.rect()), pixels_(image.bits()),
      pas_ligne_(image.bytesPerLine()) {
    const qreal r = densite_copiable(image.devicePixelRatio()) ? image.devicePixelRatio() : 1;
    if (r != std::floor(r)) {
        den_ = 2;
        decalage_ = 1;
    }
    num_ = int(r * den_);
    releve_point();
    releve_lignes_couvertes();
    for (int k = 1; k <= 8; ++k)
        if (coches[k]) valeurs_[k] = valeur_pixel(couleurs[k], image.format());
}

TamponTrace::Motif TamponTrace::releve(const QImage& modele, QPoint ancre) {
    Motif m;
    m.copiable = true;
    // QImage's size is not inlined: asked per pixel it costs more than the scan.
    const int largeur = modele.width();
    const int hauteur = modele.height();
    for (int y = 0; y < hauteur; ++y) {
        const auto* ligne = reinterpret_cast<const uint32_t*>(modele.constScanLine(y));
        for (int x = 0; x < largeur;) {
            if (ligne[x] == fond) {
                ++x;
                continue;
            }
            const int debut = x;
            while (x < largeur && ligne[x] != fond)
                ++x;
            m.rangees.push_back({y - ancre.y(), debut - ancre.x(), x - 1 - ancre.x()});
            m.boite |= QRect(QPoint(debut, y), QPoint(x - 1, y)).translated(-ancre);
            // Ink on the margin means the shape may go on beyond what was recorded.
            if (y == 0 || y == hauteur - 1 || debut == 0 || x == largeur) m.copiable = false;
        }
    }
    return m;
}

// Whole runs of phases, so that the scratch picture has whole device pixels.
QImage TamponTrace::brouillon(int largeur, int hauteur) const {
    const QPoint taille = vers_appareil(QPoint(multiple_superieur(largeur), multiple_superieur(hauteur)));
    QImage image(taille.x(), taille.y(), QImage::Format_RGB32);
    image.setDevicePixelRatio(qreal(num_) / den_);
    image.fill(Qt::white);
    return image;
}

bool TamponTrace::dans_image(const QRect& boite, QPoint q) const {
    const qint64 x = ancre(q.x());
    const qint64 y = ancre(q.y());
    return !boite.isNull() && x + boite.left() >= 0 && y + boite.top() >= 0 &&
           x + boite.right() < image_.width() && y + boite.bottom() < image_.height();
}

void TamponTrace::releve_point() {
    const int cote = cote_case();
    const int c = multiple_inferieur(cote / 2);
    points_.clear();
    for (int py = 0; py < den_; ++py)
        for (int px = 0; px < den_; ++px) {
            QImage modele = brouillon(cote, cote);
            {
                QPainter p(&modele);
                point_peintre(p, {c + px, c + py}, t_, Qt::black);
            }
            points_.push_back(releve(modele, vers_appareil(QPoint(c, c))));
        }
}

// Every short line drawn once, each in its own cell of one scratch picture per phase of its end.
void TamponTrace::releve_lignes_couvertes() {
    const int n = 2 * portee_ + 1;
    const int cote = cote_case();
    const int cote_appareil = vers_appareil(QPoint(cote, 0)).x();
    couvertes_.assign(qsizetype(n) * n * den_ * den_, true);
    for (int py = 0; py < den_; ++py)
        for (int px = 0; px < den_; ++px) {
            QImage essai = brouillon(n * cote, n * cote);
            {
                QPainter p(&essai);
                const QPen crayon = crayon_ligne(p, Qt::black, t_);
                for (int dy = -portee_; dy <= portee_; ++dy)
                    for (int dx = -portee_; dx <= portee_; ++dx) {
                        const QPoint vers(centre_case(dx) + px, centre_case(dy) + py);
                        ligne_peintre(p, crayon, vers + QPoint(dx, dy), vers, t_);
                    }
            }
            const Motif& point = points_[py * den_ + px];
            const auto dans_point = [&](int dx, int dy) {
                return std::any_of(point.rangees.begin(), point.rangees.end(),
                                   [&](const Rangee& r) { return r.dy == dy && r.x0 <= dx && dx <= r.x1; });
            };
            const qsizetype decalage = qsizetype(py * den_ + px) * n * n;
            const int largeur = essai.width();
            for (int y = 0; y < essai.height(); ++y) {
                const auto* ligne = reinterpret_cast<const uint32_t*>(essai.constScanLine(y));
                for (int x = 0; x < largeur; ++x) {
                    if (ligne[x] == fond) continue;
                    const int dx = x / cote_appareil - portee_;
                    const int dy = y / cote_appareil - portee_;
                    const QPoint a = vers_appareil(QPoint(centre_case(dx), centre_case(dy)));
                    if (!dans_point(x - a.x(), y - a.y())) couvertes_[decalage + indice(dx, dy)] = false;
                }
            }
        }
}

const TamponTrace::Motif& TamponTrace::motif_ligne(int dx, int dy, int phase_depuis) {
    const uint64_t k = cle(dx, dy, phase_depuis);
    const auto trouve = lignes_.find(k);
    if (trouve != lignes_.end()) return trouve->second;
    Motif& m = lignes_[k];
    const int marge = t_ + 4;
    const QPoint ancre_depuis(multiple_superieur(marge + std::max(0, -dx)),
                              multiple_superieur(marge + std::max(0, -dy)));
    const int l = ancre_depuis.x() + den_ + std::max(0, dx) + marge;
    const int h = ancre_depuis.y() + den_ + std::max(0, dy) + marge;
    if (std::abs(dx) > cote_motif_max || std::abs(dy) > cote_motif_max ||
        qsizetype(l) * h * num_ * num_ / (den_ * den_) > aire_motif_max)
        return m;
    const QPoint depuis = ancre_depuis + QPoint(phase_depuis % den_, phase_depuis / den_);
    QImage modele = brouillon(l, h);
    {
        QPainter p(&modele);
        ligne_peintre(p, crayon_ligne(p, Qt::black, t_), depuis, depuis + QPoint(dx, dy), t_);
    }
    m = releve(modele, vers_appareil(ancre_depuis));
    return m;
}

void TamponTrace::copie(const Motif& m, QPoint q, uint32_t valeur) const {
    const qint64 qx = ancre(q.x());
    const qint64 qy = ancre(q.y());
    // Most shapes lie wholly inside the picture: their rows need no clipping.
    if (dans_image(m.boite, q)) {
        uchar* centre = pixels_ + qy * pas_ligne_ + qx * qsizetype(sizeof(uint32_t));
        for (const Rangee& r : m.rangees) {
            auto* debut = reinterpret_cast<uint32_t*>(centre + r.dy * pas_ligne_) + r.x0;
            std::fill(debut, debut + (r.x1 - r.x0 + 1), valeur);
        }
        return;
    }
    for (const Rangee& r : m.rangees) {
        const qint64 y = qy + r.dy;
        if (y < 0 || y >= image_.height()) continue;
        const qint64 a = std::max<qint64>(0, qx + r.x0);
        const qint64 b = std::min<qint64>(image_.width() - 1, qx + r.x1);
        if (a > b) continue;
        auto* ligne = reinterpret_cast<uint32_t*>(pixels_ + y * pas_ligne_);
        std::fill(ligne + a, ligne + b + 1, valeur);
    }
}

void TamponTrace::point(QPoint q, int k) const {
    copie(points_[indice_phase(q)], q, valeurs_[k]);
}

void TamponTrace::ligne(QPainter& p, const QPen& crayon, QPoint depuis, QPoint vers, int k) {
    const int dx = vers.x() - depuis.x();
    const int dy = vers.y() - depuis.y();
    const bool proche = std::abs(dx) <= cote_motif_max && std::abs(dy) <= cote_motif_max;
    if (proche) {
        const Motif& m = motif_ligne(dx, dy, indice_phase(depuis));
        if (m.copiable && dans_image(m.boite, depuis)) {
            copie(m, depuis, valeurs_[k]);
            return;
        }
    }
    ligne_peintre(p, crayon, depuis, vers, t_);
}

bool TamponTrace::ligne_couverte(QPoint depuis, QPoint vers) const {
    const int dx = depuis.x() - vers.x();
    const int dy = depuis.y() - vers.y();
    if (std::abs(dx) > portee_ || std::abs(dy) > portee_) return false;
    const int n = 2 * portee_ + 1;
    return couvertes_[qsizetype(indice_phase(vers)) * n * n + indice(dx, dy)];
}
