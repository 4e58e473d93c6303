#include "util_rez/plot/trace.h"

#include "util_rez/files/fichier_cible.h"

#include "util_rez/base/conversions.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

namespace {

// More ticks than this is not a scale anybody reads; it also keeps i * W well inside 64 bits.
constexpr long double intervalles_max = 10000;

// Far enough outside any picture, and small enough that adding an origin cannot overflow.
constexpr long double decalage_max = 1 << 29;

// A long double to int conversion switches the x87 rounding mode twice, which stalls the FPU at
// every point. Adding 1.5 * 2^63 leaves an integer next to v in the low bits of the 64-bit
// mantissa instead, whatever the rounding mode. |v| <= 2^29.
int entier_voisin(long double v) {
#if defined(__x86_64__) || defined(__i386__)
    static_assert(std::numeric_limits<long double>::digits == 64);
    const long double decale = v + 0x1.8p63L;
    uint64_t mantisse = 0;
    std::memcpy(&mantisse, &decale, sizeof mantisse);
    return static_cast<int>(static_cast<int64_t>(mantisse - 0xC000000000000000u));
#else
    return static_cast<int>(v);
#endif
}

// Halves to even like Round, settled from the exact remainder so that no rounding mode matters.
int arrondi_sature(long double v) {
    if (!(v >= -decalage_max)) v = -decalage_max;
    if (v > decalage_max) v = decalage_max;
    const int voisin = entier_voisin(v);
    const long double reste = v - voisin;
    if (reste > 0.5L || (reste == 0.5L && (voisin & 1) != 0)) return voisin + 1;
    if (reste < -0.5L || (reste == -0.5L && (voisin & 1) != 0)) return voisin - 1;
    return voisin;
}

// The end pixel is left out, so a tick u(10) long covers u(10) pixels. Axis-parallel only.
// Scaled, a one-pixel pen on integer points lands half a pixel off, so the pixels are filled.
void trait(QPainter& p, int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return;
    const int dx = (x2 > x1) - (x2 < x1);
    const int dy = (y2 > y1) - (y2 < y1);
    if (densite(p) != 1)
        p.fillRect(QRect(QPoint(std::min(x1, x2 - dx), std::min(y1, y2 - dy)),
                         QPoint(std::max(x1, x2 - dx), std::max(y1, y2 - dy))),
                   p.pen().color());
    else
        p.drawLine(x1, y1, x2 - dx, y2 - dy);
}

void ligne_axe_x(QPainter& p, const GeometrieTrace& geo) {
    p.setPen(QPen(couleur_axes, 1));
    trait(p, geo.origine_x, geo.origine_y, geo.origine_x + geo.largeur_trace + unite_relative(geo, 20),
          geo.origine_y);
}

void ligne_axe_y(QPainter& p, const GeometrieTrace& geo) {
    p.setPen(QPen(couleur_axes, 1));
    trait(p, geo.origine_x, geo.origine_y, geo.origine_x,
          geo.origine_y - geo.hauteur_trace - unite_relative(geo, 20));
}

} // namespace

// Tick count; a scale shorter than two steps gets its two ends only, labelled 0 and the full scale.
int nombre_intervalles(long double etendue, long double& pas) {
    int n = static_cast<int>(std::trunc(etendue / pas));
    if (n == 0) n = 1;
    if (n == 1) pas = etendue;
    return n;
}


GeometrieTrace geometrie_ecran(int largeur_image, int hauteur_image) {
    GeometrieTrace g;
    g.largeur_trace = largeur_image - 40;
    g.hauteur_trace = hauteur_image - 40;
    g.origine_x = 40;
    g.origine_y = g.hauteur_trace + 10;
    g.base_unite = g.largeur_trace;
    return g;
}

qreal densite_image(qreal ratio) {
    return std::isfinite(ratio) ? std::max<qreal>(1, ratio) : 1;
}

QImage image_ecran(QSize logique, qreal ratio) {
    const qreal r = densite_image(ratio);
    QImage image(qRound(logique.width() * r), qRound(logique.height() * r), QImage::Format_RGB32);
    image.setDevicePixelRatio(r);
    return image;
}

QSize taille_logique(const QImage& image) {
    return image.deviceIndependentSize().toSize();
}

qreal densite(const QPainter& p) {
    const QPaintDevice* d = p.device();
    return d != nullptr ? d->devicePixelRatio() : 1;
}

int unite_relative(const GeometrieTrace& geo, int a) {
    return static_cast<int>(static_cast<int64_t>(a) * geo.base_unite / 1000);
}

bool echelle_valide(long double etendue, long double pas) {
    return std::isfinite(etendue) && std::isfinite(pas) && etendue > 0 && pas > 0 &&
           etendue / pas < intervalles_max;
}

bool echelles_valides(const Echelles& e) {
    return echelle_valide(e.etendue_x, e.pas_x) && echelle_valide(e.etendue_y, e.pas_y);
}

namespace {

int decalage_pixel(long double valeur, long double etendue, int longueur) {
    const long double min = 0;
    return arrondi_sature((valeur - min) / etendue * longueur);
}

} // namespace

int colonne_pixel(const GeometrieTrace& geo, const Echelles& e, long double x) {
    return decalage_pixel(x - e.min_x, e.etendue_x, geo.largeur_trace) + geo.origine_x;
}

int ligne_pixel(const GeometrieTrace& geo, const Echelles& e, long double y) {
    return geo.origine_y - decalage_pixel(y, e.etendue_y, geo.hauteur_trace);
}

namespace {

// A tick stands where a record of its value is drawn, so the labels read true under the curves.
// The full-scale tick of the screen would fall just past the picture: it keeps its last column.
int colonne_graduation(const GeometrieTrace& geo, long double etendue, long double valeur,
                       int derniere_colonne) {
    return std::min(decalage_pixel(valeur, etendue, geo.largeur_trace) + geo.origine_x, derniere_colonne);
}

int ligne_graduation(const GeometrieTrace& geo, long double etendue, long double valeur) {
    return geo.origine_y - decalage_pixel(valeur, etendue, geo.hauteur_trace);
}

} // namespace

QPoint vers_pixel(const GeometrieTrace& geo, const Echelles& e, long double x, long double y) {
    return {colonne_pixel(geo, e, x), ligne_pixel(geo, e, y)};
}

void texte_ancre(QPainter& p, int colonne, int ligne, const QString& texte, QChar horizontale,
                 QChar verticale, const QColor& encre) {
    const QFontMetrics fm = p.fontMetrics();
    int x = colonne;
    if (horizontale == QLatin1Char('g'))
        x = colonne - fm.horizontalAdvance(texte);
    else if (horizontale == QLatin1Char('c'))
        x = colonne - fm.horizontalAdvance(texte) / 2;
    int base = ligne + fm.ascent();
    if (verticale == QLatin1Char('h'))
        base = ligne - fm.descent();
    else if (verticale == QLatin1Char('L'))
        base = ligne;
    p.save();
    p.setPen(encre);
    p.setBrush(Qt::NoBrush);
    p.setBackgroundMode(Qt::TransparentMode);
    p.drawText(QPoint(x, base), texte);
    p.restore();
}

void axe_x(QPainter& p, const GeometrieTrace& geo, long double etendue, long double pas, QChar separateur,
           const QColor& encre, long double debut) {
    ligne_axe_x(p, geo);
    if (!echelle_valide(etendue, pas)) return;
    const int n = nombre_intervalles(etendue, pas);
    // A label centred on its tick may run past the picture's edge (the last tick is close to
    // it): the label slides inside, the tick stays.
    const QPaintDevice* surface = p.device();
    const int droite = surface ? static_cast<int>(surface->width() / surface->devicePixelRatio())
                               : std::numeric_limits<int>::max();
    const QFontMetrics fm = p.fontMetrics();
    for (int i = 0; i <= n; ++i) {
        const long double v = i * pas;
        const int c = colonne_graduation(geo, etendue, v, droite - 1);
        trait(p, c, geo.origine_y, c, geo.origine_y + unite_relative(geo, 10));
        const QString texte = FloatToStr(debut + v, separateur); // a window counts from its left edge
        const int largeur = fm.horizontalAdvance(texte);
        const int centre = std::max(largeur / 2, std::min(c, droite - largeur + largeur / 2));
        texte_ancre(p, centre, geo.origine_y + geo.decalage_etiquettes_x, texte, QLatin1Char('c'),
                    QLatin1Char('b'), encre);
    }
}

void axe_y(QPainter& p, const GeometrieTrace& geo, long double etendue, long double pas, QChar separateur,
           const QColor& encre) {
    ligne_axe_y(p, geo);
    if (!echelle_valide(etendue, pas)) return;
    const int n = nombre_intervalles(etendue, pas);
    const int u10 = unite_relative(geo, 10);
    const QFontMetrics fm = p.fontMetrics();
    for (int i = 0; i <= n; ++i) {
        const long double v = i * pas;
        const int r = ligne_graduation(geo, etendue, v);
        trait(p, geo.origine_x, r, geo.origine_x - u10, r);
        const QString texte = FloatToStr(v, separateur);
        // A wide label would lose its first digits at the picture's left edge.
        const int centre = std::max(fm.horizontalAdvance(texte) / 2, geo.origine_x - geo.ecart_etiquettes_y);
        texte_ancre(p, centre, r + u10, texte, QLatin1Char('c'), QLatin1Char('L'), encre);
    }
}

void remplit_surface(QPainter& p, int largeur, int hauteur, const QColor& couleur) {
    p.fillRect(QRect(0, 0, largeur, hauteur), QBrush(couleur, Qt::SolidPattern));
}

QRect zone_courbes(const GeometrieTrace& geo) {
    const int u20 = unite_relative(geo, 20);
    return QRect(QPoint(geo.origine_x, geo.origine_y - geo.hauteur_trace - u20),
                 QPoint(geo.origine_x + geo.largeur_trace + u20, geo.origine_y));
}

void trace_axes_courbes(QPainter& p, const GeometrieTrace& geo, const DonneesTrace& d) {
    const Echelles& e = d.echelles;
    if (echelles_valides(e)) {
        axe_x(p, geo, e.etendue_x, e.pas_x, d.separateur, couleur_textes, e.min_x);
        axe_y(p, geo, e.etendue_y, e.pas_y, d.separateur, couleur_textes);
        if (d.tableau == nullptr)
            return;
        // The screen keeps its unclipped fast path; a thickness error ends the page anyway.
        if (geo.rogne_courbes)
            p.setClipRect(zone_courbes(geo));
        if (d.fenetre)
            trace_courbes_fenetre(p, geo, d);
        else
            trace_courbes(p, geo, e, *d.tableau, d.nb_enreg, d.coches, d.couleurs, d.texte_epaisseur, d.resume);
        p.setClipping(false);
    } else {
        ligne_axe_x(p, geo);
        ligne_axe_y(p, geo);
        texte_ancre(p, geo.origine_x + geo.largeur_trace / 2, geo.origine_y - geo.hauteur_trace / 2,
                    d.note_echelle_invalide, QLatin1Char('c'), QLatin1Char('L'), couleur_textes);
    }
}

QFont police_graphe(int hauteur_cellule) {
    const int cible = std::max(1, hauteur_cellule);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    // Closest cell first, then a cell not taller than asked, then the larger face.
    std::tuple<int, bool, int> meilleur{std::numeric_limits<int>::max(), true, 0};
    int taille_retenue = 1;
    // The face's cell is about 1.15 em, so the fitting size lies between 3/4 of the cell and the cell.
    for (int taille = std::max(1, cible * 3 / 4); taille <= cible; ++taille) {
        f.setPixelSize(taille);
        const int h = QFontMetrics(f).height();
        const std::tuple<int, bool, int> cle{std::abs(h - cible), h > cible, -taille};
        if (cle < meilleur) {
            meilleur = cle;
            taille_retenue = taille;
        }
    }
    f.setPixelSize(taille_retenue);
    return f;
}

namespace {
const QPoint place_nom_cible(50, 10);
} // namespace

void trace_nom_cible(QPainter& p, const QString& chemin_cible) {
    texte_ancre(p, place_nom_cible.x(), place_nom_cible.y(), nom_sans_dossier(chemin_cible), QLatin1Char('d'),
                QLatin1Char('b'), couleur_textes);
}

QRect zone_nom_cible(const QFontMetrics& fm, const QString& chemin_cible) {
    return QRect(place_nom_cible, QSize(fm.horizontalAdvance(nom_sans_dossier(chemin_cible)), fm.height()));
}

void trace_ecran(QImage& image, const DonneesTrace& d) {
    if (image.isNull()) return;
    QPainter p(&image);
    trace_surface(p, taille_logique(image), d);
}

void trace_surface(QPainter& p, QSize taille, const DonneesTrace& d) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    remplit_surface(p, taille.width(), taille.height(), Qt::white);
    const GeometrieTrace geo = geometrie_ecran(taille.width(), taille.height());
    if (geo.largeur_trace <= 0 || geo.hauteur_trace <= 0) return;
    p.setFont(police_graphe(taille.height() / 25));
    trace_axes_courbes(p, geo, d);
    trace_nom_cible(p, d.chemin_cible);
}
