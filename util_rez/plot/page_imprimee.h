#pragma once
#include "util_rez/target/lignes_cible.h"
#include "util_rez/plot/trace.h"

#include <QFont>
#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>

class QImage;
class QPageLayout;
class QPagedPaintDevice;

// The printed page: its size and plot geometry, the small preview of its plot, the texts it
// carries and where each one goes. All positions are printer pixels.

inline constexpr int resolution_page = 600;
inline constexpr int colonne_textes = 500; // also the right margin and the bottom margin
inline constexpr int pas_lignes = 100;

// The paper's size from its definition (millimetres for A4), so an A4 page is 4960 x 7015.
QSize taille_page(const QPageLayout& mise_en_page, int resolution);

// Two thirds of the panel's width, the page's proportions, at (20, 20) inside the panel.
QRect rect_apercu(int largeur_panneau, QSize page);
GeometrieTrace geometrie_apercu(QSize apercu);

// The plot on the lower half of the page; ticks and labels keep clear of each other at the
// page's scale. `etiquettes` is the font of the axis labels.
GeometrieTrace geometrie_page(QSize page, const QFont& etiquettes, const Echelles& echelles,
                              QChar separateur);
// The highest row the plot or its labels reach.
int haut_du_trace(const GeometrieTrace& geo, const QFont& etiquettes);

// Index of the first line holding `ascii`, a text of ASCII characters (exact case), -1 when none
// does.
int cherche_ligne(const LignesCible& lignes, QByteArrayView ascii);

struct TextesPage {
    QString nom;              // the target file's name without its folder
    QStringList entete;       // its first three lines, unquoted; a missing one is empty
    QString titre_commentaire; // heads the comment lines; empty without a comment
    QStringList suite;        // the comment lines, then the summary block unquoted
};
// `lignes_cible` are the target file's lines without an appended comment, `commentaire` the
// comment box's lines as it shows them, `titre_commentaire` the caption the window gives it.
TextesPage textes_page(const QString& chemin_cible, const LignesCible& lignes_cible,
                       const QStringList& commentaire, const QString& titre_commentaire);

// Regular texts on rows 100 pixels apart; the file name in bold.
QFont police_page(bool titre);

struct LigneImprimee {
    int page = 0; // from 0
    int colonne = colonne_textes;
    int ligne = 0; // top of the text
    QString texte;
    QChar horizontale = QLatin1Char('d');
    bool titre = false;
};
struct MiseEnPage {
    QList<LigneImprimee> lignes;
    int nb_pages = 1;
};

// The file name on row 100, the header on rows 300 to 500, the rest from row 700. A text wider
// than the page between its margins continues on the next row; rows that would reach
// `haut_trace` on the first page, or the bottom margin on a later one, go on the next page,
// under the file name again, and then every page is numbered.
MiseEnPage met_en_page(const TextesPage& textes, QSize page, int haut_trace);

struct EntreeLegende {
    QPoint position; // top left of the name
    QString nom;
    QColor couleur;
};
// The checked curves' names in their colours, on rows under the x labels of the page's plot,
// a row continued below when it would outrun the plot's width. `police` is the page's font.
QList<EntreeLegende> legende_page(const GeometrieTrace& geo, const DonneesTrace& d, const QFont& police);

// The plot of the preview picture, which is filled white first.
void trace_apercu(QImage& apercu, const DonneesTrace& donnees);

// How many pages trace_pages prints.
int nb_pages_imprimees(QSize page, const DonneesTrace& donnees, const TextesPage& textes);

// Every page of the print job, the plot on the first. `appareil` is the device `p` paints on.
void trace_pages(QPainter& p, QPagedPaintDevice& appareil, QSize page, const DonneesTrace& donnees,
                 const TextesPage& textes);
