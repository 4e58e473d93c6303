#include "util_rez/plot/trace_suivi.h"

#include "util_rez/base/conversions.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstring>

namespace {

int enregistrements_traces(int nb_enreg) {
    return std::clamp(nb_enreg, 0, capacite_tableau);
}

} // namespace

SuiviTrace::SuiviTrace() : traces_(std::make_unique<Tableau>()) {}
SuiviTrace::~SuiviTrace() = default;

// The image's key changes whenever anyone writes to it, so a picture painted or replaced
// elsewhere since the last pass is never drawn on as if it were still ours.
bool SuiviTrace::memes_reglages(const QImage& image, const DonneesTrace& e) const {
    if (!derniere_ || image.cacheKey() != cle_image_) return false;
    const DonneesTrace& d = *derniere_;
    return d.echelles.etendue_x == e.echelles.etendue_x && d.echelles.etendue_y == e.echelles.etendue_y &&
           d.echelles.pas_x == e.echelles.pas_x && d.echelles.pas_y == e.echelles.pas_y &&
           d.echelles.min_x == e.echelles.min_x && d.fenetre == e.fenetre &&
           d.coches == e.coches && d.couleurs == e.couleurs && d.texte_epaisseur == e.texte_epaisseur &&
           d.chemin_cible == e.chemin_cible && d.separateur == e.separateur &&
           d.note_echelle_invalide == e.note_echelle_invalide;
}

// Compared bit for bit: a value that merely compares equal might still be drawn elsewhere.
bool SuiviTrace::memes_enregistrements(const Tableau& tableau, int n) const {
    for (int c = 1; c <= nb_colonnes; ++c)
        if (std::memcmp(&tableau.v[c][1], &traces_->v[c][1], sizeof(double) * n) != 0) return false;
    return true;
}

void SuiviTrace::retient(const QImage& image, const DonneesTrace& e, const Tableau& tableau, int depuis) {
    const int n = enregistrements_traces(e.nb_enreg);
    for (int c = 1; c <= nb_colonnes; ++c)
        std::copy(&tableau.v[c][depuis], &tableau.v[c][n + 1], &traces_->v[c][depuis]);
    derniere_ = e;
    cle_image_ = image.cacheKey();
}

void SuiviTrace::ajoute(QImage& image, const DonneesTrace& e, const Tableau& tableau, int premier) {
    const QSize taille = taille_logique(image);
    if (hauteur_police_ != taille.height()) {
        police_ = police_graphe(taille.height() / 25);
        hauteur_police_ = taille.height();
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(police_);
    const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
    trace_courbes_depuis(p, geo, e.echelles, tableau, premier, e.nb_enreg, e.coches, e.couleurs, e.texte_epaisseur);
    // The whole pass writes the name last, over whatever curve runs under it.
    trace_nom_cible(p, e.chemin_cible);
}

// Around every point from the one the new lines start at: a dot reaches t + 1 pixels from its
// point, a line's square cap t / 2 beyond it. And the name, written again.
QRect SuiviTrace::zone_ajout(const QImage& image, const DonneesTrace& e, const Tableau& tableau, int premier) const {
    const QSize taille = taille_logique(image);
    const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
    const int marge = std::max(0, StrToInt(e.texte_epaisseur)) + 2;
    int gauche = taille.width(), droite = -1, haut = taille.height(), bas = -1;
    for (int i = std::max(1, premier - 1); i <= enregistrements_traces(e.nb_enreg); ++i) {
        const int x = colonne_pixel(geo, e.echelles, tableau(1, i));
        for (int k = 1; k <= 8; ++k) {
            if (!e.coches[k]) continue;
            const int y = ligne_pixel(geo, e.echelles, tableau(k + 1, i));
            gauche = std::min(gauche, x);
            droite = std::max(droite, x);
            haut = std::min(haut, y);
            bas = std::max(bas, y);
        }
    }
    QRect zone;
    if (droite >= 0 && bas >= 0) zone = QRect(QPoint(gauche, haut), QPoint(droite, bas)).adjusted(-marge, -marge, marge, marge);
    const QFontMetrics fm(police_);
    zone |= zone_nom_cible(fm, e.chemin_cible).adjusted(-2, -2, 2, 2);
    return zone & QRect(QPoint(0, 0), taille);
}

SuiviTrace::Passe SuiviTrace::trace(QImage& image, const DonneesTrace& e) {
    const Tableau& tableau = *e.tableau;
    const int n = enregistrements_traces(e.nb_enreg);
    if (memes_reglages(image, e)) {
        const int avant = enregistrements_traces(derniere_->nb_enreg);
        if (n >= avant && memes_enregistrements(tableau, avant)) {
            if (n == avant) {
                zone_ = QRect();
                return Passe::Aucune;
            }
            const QSize taille = taille_logique(image);
            const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
            int32_t epaisseur = 0;
            // A thickness the pass cannot read stops the whole pass before its curves and its
            // name; only the whole pass leaves that picture.
            // A window's pass clips at the y axis, which drawing on over the picture would not.
            if (!e.fenetre && echelles_valides(e.echelles) && geo.largeur_trace > 0 && geo.hauteur_trace > 0 &&
                essaie_StrToInt(e.texte_epaisseur, epaisseur)) {
                derniere_.reset();
                ajoute(image, e, tableau, avant + 1);
                zone_ = zone_ajout(image, e, tableau, avant + 1);
                retient(image, e, tableau, avant + 1);
                return Passe::Ajout;
            }
        }
    }
    derniere_.reset();
    zone_ = QRect(QPoint(0, 0), taille_logique(image));
    trace_ecran(image, e);
    retient(image, e, tableau, 1);
    return Passe::Complete;
}
