#pragma once
#include "util_rez/base/echelles.h"
#include "util_rez/target/tableau.h"

#include <QChar>
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>

#include <cstdint>
#include <vector>

class QImage;
class QPainter;
class ResumeBlocs;
struct PasTrace;

// The plot painter: axes, ticks, labels, curves and placed texts on any QPainter (screen
// picture, print preview, printer page). Each surface brings its own geometry.

struct GeometrieTrace {
    int largeur_trace = 0; // W
    int hauteur_trace = 0; // H
    int origine_x = 0;
    int origine_y = 0;
    int base_unite = 0;
    int decalage_etiquettes_x = 1; // x labels start this far below the axis
    int ecart_etiquettes_y = 20;   // y labels are centred this far left of the axis
    // On paper nothing beyond the axes tells a zoomed curve from the page's texts.
    bool rogne_courbes = false;
};

// Everything a pass draws from, whatever the surface: the window builds it in one place, the
// renderer from the file it reads.
struct DonneesTrace {
    Echelles echelles;
    const Tableau* tableau = nullptr;
    int nb_enreg = 0;
    std::array<bool, 9> coches{};
    std::array<QColor, 9> couleurs{};
    QString texte_epaisseur;
    QString chemin_cible; // its name is written at the top left
    QChar separateur = QLatin1Char('.');
    QString note_echelle_invalide;
    std::array<QString, 9> noms{}; // [1..8]: the curve names, which the printed page lists
    const ResumeBlocs* resume = nullptr; // follows the table up to nb_enreg, when given
    // The x axis is a window on the latest data (echelles.min_x its left edge): what lies left
    // of it is not drawn over the y axis and its labels.
    bool fenetre = false;
};

inline const QColor couleur_axes{0x00, 0x00, 0xFF};
inline const QColor couleur_textes{0x00, 0x00, 0x80};

// Curve k (1..8) is drawn in colour k: blue, purple, green, navy, black, maroon, red, teal.
inline const std::array<QColor, 9> couleurs_courbes_depart{
    QColor(),        QColor(0, 0, 255), QColor(128, 0, 128), QColor(0, 128, 0),  QColor(0, 0, 128),
    QColor(0, 0, 0), QColor(128, 0, 0), QColor(255, 0, 0),   QColor(0, 128, 128)};

GeometrieTrace geometrie_ecran(int largeur_image, int hauteur_image);

// A screen picture of `logique` window pixels drawn at the density of a screen of `ratio`
// device pixels per pixel, so that it stays as sharp as the controls beside it.
QImage image_ecran(QSize logique, qreal ratio);
// That density: the screen's, but never coarser than one device pixel per pixel.
qreal densite_image(qreal ratio);
// The picture's size in window pixels, which every coordinate of the plot counts in.
QSize taille_logique(const QImage& image);
// Device pixels per window pixel on the painter's surface: 1 everywhere but on a picture made
// for a high-density screen.
qreal densite(const QPainter& p);
int unite_relative(const GeometrieTrace& geo, int a);

// Full scales and steps the pass can divide by; otherwise only bare axes are drawn.
bool echelle_valide(long double etendue, long double pas);
bool echelles_valides(const Echelles& echelles);

// Intervals between the ticks of an axis; `pas` becomes the full scale when there is only one.
int nombre_intervalles(long double etendue, long double& pas);

QPoint vers_pixel(const GeometrieTrace& geo, const Echelles& echelles, long double x, long double y);
int colonne_pixel(const GeometrieTrace& geo, const Echelles& echelles, long double x);
int ligne_pixel(const GeometrieTrace& geo, const Echelles& echelles, long double y);

// Horizontal letter: g ends the text on the point, c centres it, anything else starts it there.
// Vertical letter: h puts its bottom on the point, L its baseline, anything else its top.
// Drawn in the painter's font and `encre`; the painter's state is left as it was.
void texte_ancre(QPainter& p, int colonne, int ligne, const QString& texte, QChar horizontale,
                 QChar verticale, const QColor& encre);

// The x labels count from `debut`.
void axe_x(QPainter& p, const GeometrieTrace& geo, long double etendue, long double pas, QChar separateur,
           const QColor& encre, long double debut = 0);
void axe_y(QPainter& p, const GeometrieTrace& geo, long double etendue, long double pas, QChar separateur,
           const QColor& encre);

// Curve k (1..8) is column k + 1 against column 1, drawn record by record. The thickness text
// is read only when there is a first dot to draw; StrToInt's ErreurRez leaves what is already
// drawn in place.
// Beyond as many records as the plot has columns, through the reduction (reduction.h), which
// `resume` makes cheap.
void trace_courbes(QPainter& p, const GeometrieTrace& geo, const Echelles& echelles, const Tableau& tableau,
                   int nb_enreg, const std::array<bool, 9>& coches, const std::array<QColor, 9>& couleurs,
                   const QString& texte_epaisseur, const ResumeBlocs* resume = nullptr);
// Records `premier` to nb_enreg only, each line starting from the record before as in the whole
// pass: drawn over a pass of the records before `premier`, it gives that whole pass's pixels.
void trace_courbes_depuis(QPainter& p, const GeometrieTrace& geo, const Echelles& echelles,
                          const Tableau& tableau, int premier, int nb_enreg,
                          const std::array<bool, 9>& coches, const std::array<QColor, 9>& couleurs,
                          const QString& texte_epaisseur);

// There is something to draw from record `premier` on.
bool a_tracer(const Echelles& echelles, const Tableau& tableau, int premier, int nb_enreg,
              const std::array<bool, 9>& coches);
// The steps of `parcours` from position `debut` on, each line from its curve's step before.
void trace_parcours(QPainter& p, const GeometrieTrace& geo, const Echelles& echelles, const Tableau& tableau,
                    const std::vector<PasTrace>& parcours, size_t debut, const std::array<bool, 9>& coches,
                    const std::array<QColor, 9>& couleurs, const QString& texte_epaisseur);
// The curves right of the y axis only, from the record before the window's left edge on.
void trace_courbes_fenetre(QPainter& p, const GeometrieTrace& geo, const DonneesTrace& d);

void remplit_surface(QPainter& p, int largeur, int hauteur, const QColor& couleur);

// The plot rectangle with the axes' overhang above and to the right.
QRect zone_courbes(const GeometrieTrace& geo);

// Both axes and the checked curves in the painter's font; bare axes and the note when the
// scales cannot be divided by. The curves stay inside zone_courbes when the geometry says so.
void trace_axes_courbes(QPainter& p, const GeometrieTrace& geo, const DonneesTrace& d);

// Bold "Arial" sized so that its cell (ascent + descent) comes closest to `hauteur_cellule` pixels.
QFont police_graphe(int hauteur_cellule);

// The screen picture, completely redrawn from the scales, the table and the curve boxes.
void trace_ecran(QImage& image, const DonneesTrace& d);
// The screen picture's drawing on any surface of that size (a picture file, a vector page),
// so that every copy of the plot shows exactly what the window shows.
void trace_surface(QPainter& p, QSize taille, const DonneesTrace& d);
// The target file's name at the top left of the screen picture.
void trace_nom_cible(QPainter& p, const QString& chemin_cible);
QRect zone_nom_cible(const QFontMetrics& fm, const QString& chemin_cible);
