#include "util_rez/plot/trace_suivi.h"

#include "util_rez/base/conversions.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <cstring>

namespace {

int enregistrements_traces(const DonneesTrace& e) {
    return std::clamp(e.nb_enreg, 0, e.tableau->taille());
}

// As the curves read it; a dot reaches t + 1 pixels from its point, a line's cap t / 2.
int marge(const DonneesTrace& e) {
    return std::clamp(StrToInt(e.texte_epaisseur), 0, 50) + 2;
}

} // namespace

SuiviTrace::SuiviTrace() = default;
SuiviTrace::~SuiviTrace() = default;

// The image's key changes whenever anyone writes to it, so a picture painted or replaced
// elsewhere since the last pass is never drawn on as if it were still ours.
bool SuiviTrace::memes_reglages(const QImage& image, const DonneesTrace& e) const {
    if (!derniere_ || image.cacheKey() != cle_image_ || e.tableau->identite() != identite_) return false;
    const DonneesTrace& d = *derniere_;
    return d.echelles.etendue_x == e.echelles.etendue_x && d.echelles.etendue_y == e.echelles.etendue_y &&
           d.echelles.pas_x == e.echelles.pas_x && d.echelles.pas_y == e.echelles.pas_y &&
           d.echelles.min_x == e.echelles.min_x && d.fenetre == e.fenetre && d.coches == e.coches &&
           d.couleurs == e.couleurs && d.texte_epaisseur == e.texte_epaisseur &&
           d.chemin_cible == e.chemin_cible && d.separateur == e.separateur &&
           d.note_echelle_invalide == e.note_echelle_invalide;
}

void SuiviTrace::retient(const QImage& image, const DonneesTrace& e) {
    derniere_ = e;
    cle_image_ = image.cacheKey();
    identite_ = e.tableau->identite();
    revision_ = e.tableau->revision();
    traces_ = enregistrements_traces(e);
    recule_ = resume_.dernier_recul() != 0;
}

void SuiviTrace::prepare_police(QSize taille) {
    if (hauteur_police_ == taille.height()) return;
    police_ = police_graphe(taille.height() / 25);
    hauteur_police_ = taille.height();
}

void SuiviTrace::ajoute(QImage& image, const DonneesTrace& e, int premier) {
    const QSize taille = taille_logique(image);
    prepare_police(taille);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(police_);
    const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
    trace_courbes_depuis(p, geo, e.echelles, *e.tableau, premier, e.nb_enreg, e.coches, e.couleurs,
                         e.texte_epaisseur);
    // The whole pass writes the name last, over whatever curve runs under it.
    trace_nom_cible(p, e.chemin_cible);
}

// Reduced, a new record may take a kept point's place in its column: everything right of the
// last record left unchanged is drawn again as the whole pass draws it there, x going forward.
void SuiviTrace::refait_droite(QImage& image, const DonneesTrace& e, int intactes) {
    const QSize taille = taille_logique(image);
    prepare_police(taille);
    const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
    const int m = marge(e);
    const int c0 = colonne_pixel(geo, e.echelles, (*e.tableau)(1, intactes));
    const int gauche = std::clamp(c0 - m, 0, taille.width());
    zone_ = QRect(gauche, 0, taille.width() - gauche, taille.height());
    // Drawn apart and copied, since a clipped painter would not take the copying fast path,
    // whose pixels are the whole pass's.
    QImage copie(image.size(), image.format());
    copie.setDevicePixelRatio(image.devicePixelRatio());
    {
        QPainter p(&copie);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(police_);
        remplit_surface(p, taille.width(), taille.height(), Qt::white);
        axe_x(p, geo, e.echelles.etendue_x, e.echelles.pas_x, e.separateur, couleur_textes);
        axe_y(p, geo, e.echelles.etendue_y, e.echelles.pas_y, e.separateur, couleur_textes);
        const Tableau& t = *e.tableau;
        // The first record whose column the redrawn part may show, x going forward.
        int depuis = 1;
        for (int haut = e.nb_enreg; depuis < haut;) {
            const int milieu = depuis + (haut - depuis) / 2;
            if (colonne_pixel(geo, e.echelles, t(1, milieu)) < gauche - m)
                depuis = milieu + 1;
            else
                haut = milieu;
        }
        const Parcours parcours =
            parcours_trace(geo, e.echelles, t, e.nb_enreg, e.coches, m - 2, &resume_, depuis);
        const auto debut = std::partition_point(parcours.begin(), parcours.end(), [&](const PasTrace& pas) {
            return colonne_pixel(geo, e.echelles, (*e.tableau)(1, pas.indice)) < gauche - m;
        });
        trace_parcours(p, geo, e.echelles, *e.tableau, parcours, size_t(debut - parcours.begin()), e.coches,
                       e.couleurs, e.texte_epaisseur);
        trace_nom_cible(p, e.chemin_cible);
    }
    const int x0 = int(std::floor(gauche * image.devicePixelRatio()));
    const qsizetype octets = qsizetype(image.width() - x0) * 4;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y) + x0 * 4, copie.constScanLine(y) + x0 * 4, size_t(octets));
}

// Around every point from the one the new lines start at: a dot reaches t + 1 pixels from its
// point, a line's square cap t / 2 beyond it. And the name, written again.
QRect SuiviTrace::zone_ajout(const QImage& image, const DonneesTrace& e, int premier) const {
    const QSize taille = taille_logique(image);
    const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
    const int m = marge(e);
    int gauche = taille.width(), droite = -1, haut = taille.height(), bas = -1;
    for (int i = std::max(1, premier - 1); i <= enregistrements_traces(e); ++i) {
        const int x = colonne_pixel(geo, e.echelles, (*e.tableau)(1, i));
        for (int k = 1; k <= 8; ++k) {
            if (!e.coches[k]) continue;
            const int y = ligne_pixel(geo, e.echelles, (*e.tableau)(k + 1, i));
            gauche = std::min(gauche, x);
            droite = std::max(droite, x);
            haut = std::min(haut, y);
            bas = std::max(bas, y);
        }
    }
    QRect zone;
    if (droite >= 0 && bas >= 0)
        zone = QRect(QPoint(gauche, haut), QPoint(droite, bas)).adjusted(-m, -m, m, m);
    const QFontMetrics fm(police_);
    zone |= zone_nom_cible(fm, e.chemin_cible).adjusted(-2, -2, 2, 2);
    return zone & QRect(QPoint(0, 0), taille);
}

SuiviTrace::Passe SuiviTrace::trace(QImage& image, const DonneesTrace& donnees) {
    resume_.suit(*donnees.tableau, donnees.nb_enreg);
    DonneesTrace e = donnees;
    e.resume = &resume_;
    const int n = enregistrements_traces(e);
    if (memes_reglages(image, e) && n >= traces_) {
        const int intactes = e.tableau->lignes_intactes(revision_, traces_);
        if (intactes == traces_ && n == traces_) {
            zone_ = QRect();
            return Passe::Aucune;
        }
        const QSize taille = taille_logique(image);
        const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
        int32_t epaisseur = 0;
        // A thickness the pass cannot read stops the whole pass before its curves and its
        // name; only the whole pass leaves that picture.
        // A window's pass clips at the y axis, which drawing on over the picture would not.
        const bool lisible = !e.fenetre && echelles_valides(e.echelles) && geo.largeur_trace > 0 &&
                             geo.hauteur_trace > 0 && essaie_StrToInt(e.texte_epaisseur, epaisseur);
        const bool reduit = traces_ > geo.largeur_trace;
        if (lisible && !reduit && n <= geo.largeur_trace && intactes == traces_) {
            derniere_.reset();
            ajoute(image, e, traces_ + 1);
            zone_ = zone_ajout(image, e, traces_ + 1);
            retient(image, e);
            return Passe::Ajout;
        }
        if (lisible && reduit && intactes > 0 && !recule_ && resume_.dernier_recul() == 0) {
            derniere_.reset();
            refait_droite(image, e, intactes);
            retient(image, e);
            return Passe::Ajout;
        }
    }
    derniere_.reset();
    zone_ = QRect(QPoint(0, 0), taille_logique(image));
    trace_ecran(image, e);
    retient(image, e);
    return Passe::Complete;
}
