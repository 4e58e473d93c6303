#include "util_rez/base/conversions.h"
#include "util_rez/plot/tampon_trace.h"
#include "util_rez/plot/trace.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Wider lines hide the curves they draw and cost seconds a pass at a few thousand records.
constexpr int epaisseur_max = 50;
// Wider dots are rare enough to go through the painter.
constexpr int epaisseur_max_tampon = 100;

int lit_epaisseur(const QString& texte) {
    return std::clamp<int>(StrToInt(texte), 0, epaisseur_max);
}

// The image behind the painter when copying pixels into it gives what the painter would paint:
// no transform but the one the image's own density brings.
QImage* image_directe(QPainter& p) {
    QPaintDevice* d = p.device();
    if (d == nullptr || d->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(d);
    const QImage::Format f = image->format();
    const bool format_32 =
        f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
    const qreal r = image->devicePixelRatio();
    const bool simple = TamponTrace::densite_copiable(r) && !p.hasClipping() &&
                        p.combinedTransform() == QTransform::fromScale(r, r) &&
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
    trace_courbes_depuis(p, geo, echelles, tableau, 1, nb_enreg, coches, couleurs, texte_epaisseur);
}

void trace_courbes_depuis(QPainter& p, const GeometrieTrace& geo, const Echelles& echelles,
                          const Tableau& tableau, int premier, int nb_enreg,
                          const std::array<bool, 9>& coches, const std::array<QColor, 9>& couleurs,
                          const QString& texte_epaisseur) {
    const bool une_cochee = std::any_of(coches.begin() + 1, coches.end(), [](bool c) { return c; });
    const bool divisible = std::isfinite(echelles.etendue_x) && std::isfinite(echelles.etendue_y) &&
                           echelles.etendue_x > 0 && echelles.etendue_y > 0;
    const int n = std::min(nb_enreg, capacite_tableau);
    premier = std::max(premier, 1);
    if (n < premier || !une_cochee || !divisible) return;
    const int t = lit_epaisseur(texte_epaisseur);

    std::array<QPen, 9> crayons;
    for (int k = 1; k <= 8; ++k)
        crayons[k] = crayon_ligne(p, couleurs[k], t);
    QImage* image = t <= epaisseur_max_tampon ? image_directe(p) : nullptr;
    std::array<bool, 9> copie{};
    std::optional<TamponTrace> tampon;
    if (image != nullptr) {
        tampon.emplace(t, couleurs, coches, *image);
        for (int k = 1; k <= 8; ++k)
            copie[k] = coches[k] && couleur_opaque(couleurs[k]);
    }

    const auto point = [&](int i, int k) {
        return vers_pixel(geo, echelles, tableau(1, i), tableau(k + 1, i));
    };
    std::array<QPoint, 9> precedent;
    if (premier > 1)
        for (int k = 1; k <= 8; ++k)
            if (coches[k]) precedent[k] = point(premier - 1, k);
    for (int i = premier; i <= n; ++i) {
        const int colonne = colonne_pixel(geo, echelles, tableau(1, i));
        for (int k = 1; k <= 8; ++k) {
            if (!coches[k]) continue;
            const QPoint q(colonne, ligne_pixel(geo, echelles, tableau(k + 1, i)));
            if (copie[k]) {
                tampon->point(q, k);
                if (i > 1 && !tampon->ligne_couverte(precedent[k], q))
                    tampon->ligne(p, crayons[k], precedent[k], q, k);
            } else {
                point_peintre(p, q, t, couleurs[k]);
                if (i > 1) ligne_peintre(p, crayons[k], precedent[k], q, t);
            }
            precedent[k] = q;
        }
    }
}
