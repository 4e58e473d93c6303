#pragma once
#include <QColor>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

class QPainter;

// The curves' two strokes as the painter draws them; the copies below must match these.
void point_peintre(QPainter& p, QPoint q, int t, const QColor& couleur);
void ligne_peintre(QPainter& p, const QPen& crayon, QPoint a, QPoint b, int t);
// The pen of a line t pixels wide on that painter's surface.
QPen crayon_ligne(const QPainter& p, const QColor& couleur, int t);

// The painter's own dot and lines, each shape recorded once as pixel runs and then copied for
// every stroke of that shape: the same pixels at a fraction of the cost of stroking each one.
// Works on the very buffer the painter paints into, so copies and painted strokes may follow
// each other in any order. For opaque colours only. On a denser picture the shapes are recorded
// at its density: at n / d device pixels per pixel a shape's pixels depend on where its point
// falls among d consecutive pixels, so each shape is recorded once for each such phase.
class TamponTrace {
  public:
    TamponTrace(int t, const std::array<QColor, 9>& couleurs, const std::array<bool, 9>& coches,
                QImage& image);

    void point(QPoint q, int k) const;
    // Copied when the line's shape is small enough to record and lies wholly inside the
    // picture; painted otherwise, since the painter clips a line at the edges its own way.
    void ligne(QPainter& p, const QPen& crayon, QPoint depuis, QPoint vers, int k);
    // True when the line from `depuis` to `vers` paints only pixels of the dot at `vers`.
    bool ligne_couverte(QPoint depuis, QPoint vers) const;

    // Whole and half densities. At quarter ones the painter's own rounding of thin diagonals
    // depends on where they lie, so its strokes are not copies of one shape.
    static bool densite_copiable(qreal r);

  private:
    struct Rangee {
        int dy, x0, x1;
    };
    struct Motif {
        std::vector<Rangee> rangees;
        QRect boite; // in device pixels, relative to the anchor of the point the shape is placed at
        bool copiable = false;
    };

    static Motif releve(const QImage& modele, QPoint ancre);
    // A point's anchor is the device pixel of the pixel that starts its phase's run of d pixels.
    int phase(int v) const { return v & (den_ - 1); }
    int indice_phase(QPoint q) const { return (phase(q.y()) << decalage_) | phase(q.x()); }
    qint64 ancre(int v) const { return qint64(v >> decalage_) * num_; }
    int multiple_inferieur(int v) const { return v - v % den_; }
    int multiple_superieur(int v) const { return multiple_inferieur(v + den_ - 1); }
    QPoint vers_appareil(QPoint multiple) const { return multiple / den_ * num_; }
    QImage brouillon(int largeur, int hauteur) const;
    bool dans_image(const QRect& boite, QPoint q) const;
    int cote_case() const { return multiple_superieur(2 * (t_ + portee_ + 2 * (den_ - 1)) + 9); }
    int indice(int dx, int dy) const { return (dy + portee_) * (2 * portee_ + 1) + dx + portee_; }
    int centre_case(int d) const { return (d + portee_) * cote_case() + multiple_inferieur(cote_case() / 2); }
    void releve_point();
    void releve_lignes_couvertes();
    const Motif& motif_ligne(int dx, int dy, int phase_depuis);
    void copie(const Motif& m, QPoint q, uint32_t valeur) const;

    int t_;
    int num_ = 1; // num_ / den_ device pixels per pixel, den_ 1 or 2
    int den_ = 1;
    int decalage_ = 0; // den_ is 1 << decalage_
    int portee_;
    QRect image_;
    uchar* pixels_;
    qsizetype pas_ligne_;
    std::vector<Motif> points_;   // one per phase
    std::vector<bool> couvertes_; // per phase of the line's end
    std::unordered_map<uint64_t, Motif> lignes_;
    std::array<uint32_t, 9> valeurs_{};
};
