#include "util_rez/base/conversions.h"
#include "util_rez/plot/reduction.h"
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
                   const QString& texte_epaisseur, const ResumeBlocs* resume) {
    if (!a_tracer(echelles, tableau, 1, nb_enreg, coches)) return;
    const int t = lit_epaisseur(texte_epaisseur);
    const Parcours parcours = parcours_trace(geo, echelles, tableau, nb_enreg, coches, t, resume);
    trace_parcours(p, geo, echelles, tableau, parcours, 0, coches, couleurs, texte_epaisseur);
}

void trace_courbes_depuis(QPainter& p, const GeometrieTrace& geo, const Echelles& echelles,
                          const Tableau& tableau, int premier, int nb_enreg,
                          const std::array<bool, 9>& coches, const std::array<QColor, 9>& couleurs,
                          const QString& texte_epaisseur) {
    premier = std::max(premier, 1);
    if (!a_tracer(echelles, tableau, premier, nb_enreg, coches)) return;
    uint16_t toutes = 0;
    for (int k = 1; k <= 8; ++k)
        if (coches[k]) toutes |= uint16_t(1u << k);
    Parcours parcours;
    for (int i = premier - 1; i <= std::min(nb_enreg, tableau.taille()); ++i)
        if (i >= 1) parcours.push_back({i, toutes});
    trace_parcours(p, geo, echelles, tableau, parcours, premier > 1 ? 1 : 0, coches, couleurs, texte_epaisseur);
}

bool a_tracer(const Echelles& echelles, const Tableau& tableau, int premier, int nb_enreg,
              const std::array<bool, 9>& coches) {
    const bool une_cochee = std::any_of(coches.begin() + 1, coches.end(), [](bool c) { return c; });
    const bool divisible = std::isfinite(echelles.etendue_x) && std::isfinite(echelles.etendue_y) &&
                           echelles.etendue_x > 0 && echelles.etendue_y > 0;
    return std::min(nb_enreg, tableau.taille()) >= premier && une_cochee && divisible;
}

void trace_parcours(QPainter& p, const GeometrieTrace& geo, const Echelles& echelles, const Tableau& tableau,
                    const Parcours& parcours, size_t debut, const std::array<bool, 9>& coches,
                    const std::array<QColor, 9>& couleurs, const QString& texte_epaisseur) {
    if (debut >= parcours.size()) return;
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
    // Each curve's line starts from that curve's step before, which may lie before `debut`.
    std::array<std::optional<QPoint>, 9> precedent;
    uint16_t manquantes = 0;
    for (int k = 1; k <= 8; ++k)
        if (coches[k]) manquantes |= uint16_t(1u << k);
    for (size_t j = debut; j-- > 0 && manquantes != 0;) {
        for (int k = 1; k <= 8; ++k) {
            const uint16_t bit = uint16_t(1u << k);
            if ((manquantes & parcours[j].courbes & bit) == 0) continue;
            precedent[k] = point(parcours[j].indice, k);
            manquantes &= uint16_t(~bit);
        }
    }
    for (size_t j = debut; j < parcours.size(); ++j) {
        const int i = parcours[j].indice;
        const int colonne = colonne_pixel(geo, echelles, tableau(1, i));
        for (int k = 1; k <= 8; ++k) {
            if (!coches[k] || (parcours[j].courbes & (1u << k)) == 0) continue;
            const QPoint q(colonne, ligne_pixel(geo, echelles, tableau(k + 1, i)));
            if (copie[k]) {
                tampon->point(q, k);
                if (precedent[k] && !tampon->ligne_couverte(*precedent[k], q))
                    tampon->ligne(p, crayons[k], *precedent[k], q, k);
            } else {
                point_peintre(p, q, t, couleurs[k]);
                if (precedent[k]) ligne_peintre(p, crayons[k], *precedent[k], q, t);
            }
            precedent[k] = q;
        }
    }
}
