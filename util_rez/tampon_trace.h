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
// each other in any order. For opaque colours only. On a picture of a whole number of device
// pixels per pixel the shapes are recorded at that density and placed at the points' device
// pixels, which is where the scaled painter puts them.
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

  private:
    struct Rangee {
        int dy, x0, x1;
    };
    struct Motif {
        std::vector<Rangee> rangees;
        QRect boite; // relative to the point the shape is placed at
        bool copiable = false;
    };

    static Motif releve(const QImage& modele, QPoint centre);
    QImage brouillon(int largeur, int hauteur) const;
    bool dans_image(const QRect& boite, QPoint q) const;
    int cote_case() const { return 2 * (t_ + portee_) + 9; }
    int indice(int dx, int dy) const { return (dy + portee_) * (2 * portee_ + 1) + dx + portee_; }
    int centre_case(int d) const { return (d + portee_) * cote_case() + cote_case() / 2; }
    void releve_point();
    void releve_lignes_couvertes();
    const Motif& motif_ligne(int dx, int dy);
    void copie(const Motif& m, QPoint q, uint32_t valeur) const;

    int t_;
    int r_; // device pixels per pixel
    int portee_;
    QRect image_;
    uchar* pixels_;
    qsizetype pas_ligne_;
    Motif point_;
    std::vector<bool> couvertes_;
    std::unordered_map<uint64_t, Motif> lignes_;
    std::array<uint32_t, 9> valeurs_{};
};
