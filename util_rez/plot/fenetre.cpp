#include "util_rez/plot/fenetre.h"

#include "util_rez/plot/trace.h"
#include "util_rez/target/recherche_temps.h"

#include <QPainter>
#include <cmath>

Echelles echelles_fenetre(Echelles e, long double secondes, long double dernier) {
    const long double pas = arrondi_5(secondes / 10);
    e.pas_x = pas;
    e.min_x = 0;
    if (!(pas > 0) || !std::isfinite(secondes)) {
        e.etendue_x = 0;
        return e;
    }
    // The left edge is up to a step before the window's start, so one step more reaches its end.
    e.etendue_x = (std::ceil(secondes / pas) + 1) * pas;
    if (dernier > secondes) e.min_x = std::floor((dernier - secondes) / pas) * pas;
    return e;
}

void trace_courbes_fenetre(QPainter& p, const GeometrieTrace& geo, const DonneesTrace& d) {
    const Tableau& t = *d.tableau;
    const std::span<const double> temps = temps_enregs(t, d.nb_enreg);
    const int premier = premier_enreg_depuis(temps, d.echelles.min_x, temps_ordonnes(temps));
    constexpr int loin = 1 << 24;
    p.save();
    p.setClipRect(QRect(QPoint(geo.origine_x + 1, -loin), QPoint(loin, loin)), // within the page's clip
                  p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    trace_courbes_depuis(p, geo, d.echelles, t, premier, d.nb_enreg, d.coches, d.couleurs, d.texte_epaisseur);
    p.restore();
}
