#include "util_rez/plot/page_imprimee.h"

#include "util_rez/base/conversions.h"
#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_cible.h"
#include "util_rez/target/texte_cible.h"

#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace {

// Rows are 100 printer pixels apart (about 4 mm at 600 dpi): a cell of 92 is a 10-point face
// whose descenders stay clear of the next row.
constexpr int cellule_page = 92;
constexpr int ligne_folio_depuis_bas = 300;

int largeur_etiquettes(const QFont& police, long double etendue, long double pas, QChar separateur) {
    if (!echelle_valide(etendue, pas)) return 0;
    const QFontMetrics fm(police);
    const int n = nombre_intervalles(etendue, pas);
    int largeur = 0;
    long double v = 0;
    for (int i = 0; i <= n; ++i) {
        largeur = std::max(largeur, fm.horizontalAdvance(FloatToStr(v, separateur)));
        v += pas;
    }
    return largeur;
}

QStringList coupe_a_la_largeur(const QString& texte, const QFont& police, int largeur) {
    if (texte.isEmpty()) return {QString()};
    QTextLayout mise_en_page(texte, police);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    mise_en_page.setTextOption(option);
    QStringList morceaux;
    mise_en_page.beginLayout();
    for (QTextLine l = mise_en_page.createLine(); l.isValid(); l = mise_en_page.createLine()) {
        l.setLineWidth(largeur);
        morceaux.append(texte.mid(l.textStart(), l.textLength()));
    }
    mise_en_page.endLayout();
    return morceaux;
}

struct Rangee {
    QString texte; // empty: a row left blank
    bool titre = false;
};

void ajoute(QList<Rangee>& rangees, const QString& texte, const QFont& police, int largeur,
            bool titre = false) {
    for (const QString& morceau : coupe_a_la_largeur(texte, police, largeur))
        rangees.append({morceau, titre});
}

// Places rows page after page; every page begins with the title rows and one blank row.
class Placement {
  public:
    Placement(QSize page, int haut_trace, QList<Rangee> titre)
        : page_(page), haut_trace_(haut_trace), titre_(std::move(titre)) {
        for (const Rangee& r : titre_)
            pose(r);
    }

    // A blank row that does not fit is dropped, so no page ends up holding nothing new; a page
    // holds at least one text row, so the placement always moves on.
    void ajoute(const Rangee& r) {
        const bool tient = ligne_ + pas_lignes <= limite();
        if (r.texte.isEmpty()) {
            if (tient) ligne_ += pas_lignes;
            return;
        }
        if (!tient && sur_la_page_ > 0) nouvelle_page();
        pose(r);
        ++sur_la_page_;
    }

    MiseEnPage termine() {
        resultat_.nb_pages = page_courante_ + 1;
        if (resultat_.nb_pages > 1)
            for (int n = 0; n < resultat_.nb_pages; ++n)
                resultat_.lignes.append({n, page_.width() / 2, page_.height() - ligne_folio_depuis_bas,
                                         QStringLiteral("%1/%2").arg(n + 1).arg(resultat_.nb_pages),
                                         QLatin1Char('c'), false});
        return resultat_;
    }

  private:
    int limite() const { return page_courante_ == 0 ? haut_trace_ : page_.height() - colonne_textes; }

    void pose(const Rangee& r) {
        if (!r.texte.isEmpty())
            resultat_.lignes.append(
                {page_courante_, colonne_textes, ligne_, r.texte, QLatin1Char('d'), r.titre});
        ligne_ += pas_lignes;
    }

    void nouvelle_page() {
        ++page_courante_;
        ligne_ = pas_lignes;
        for (const Rangee& r : titre_)
            pose(r);
        ligne_ += pas_lignes;
        sur_la_page_ = 0;
    }

    QSize page_;
    int haut_trace_;
    QList<Rangee> titre_;
    MiseEnPage resultat_;
    int page_courante_ = 0;
    int ligne_ = pas_lignes;
    int sur_la_page_ = 1; // the first page is never left empty: it holds the plot
};

} // namespace

QSize taille_page(const QPageLayout& mise_en_page, int resolution) {
    const QPageSize format = mise_en_page.pageSize();
    const QSizeF d = format.definitionSize();
    qreal unites_par_pouce = 0;
    switch (format.definitionUnits()) {
    case QPageSize::Millimeter:
        unites_par_pouce = 25.4;
        break;
    case QPageSize::Inch:
        unites_par_pouce = 1;
        break;
    case QPageSize::Point:
        unites_par_pouce = 72;
        break;
    default:
        break;
    }
    // Truncated like the printer's own count of whole pixels; the margin absorbs rounding noise.
    const auto pixels = [&](qreal v) { return static_cast<int>(v * resolution / unites_par_pouce + 1e-6); };
    QSize s =
        unites_par_pouce > 0 ? QSize(pixels(d.width()), pixels(d.height())) : format.sizePixels(resolution);
    if (mise_en_page.orientation() == QPageLayout::Landscape) s.transpose();
    return s;
}

QRect rect_apercu(int largeur_panneau, QSize page) {
    const int w = 2 * largeur_panneau / 3;
    const int h = page.width() > 0 ? static_cast<int>(int64_t{page.height()} * w / page.width()) : 0;
    return {20, 20, w, h};
}

GeometrieTrace geometrie_apercu(QSize apercu) {
    GeometrieTrace g;
    g.largeur_trace = apercu.width() / 2;
    g.hauteur_trace = apercu.height() / 2;
    g.base_unite = g.largeur_trace;
    g.origine_x = apercu.width() / 4;
    g.origine_y = 5 * apercu.height() / 8;
    g.rogne_courbes = true;
    return g;
}

GeometrieTrace geometrie_page(QSize page, const QFont& etiquettes, const Echelles& echelles,
                              QChar separateur) {
    GeometrieTrace g;
    g.largeur_trace = page.width() / 2;
    g.hauteur_trace = page.height() / 2;
    g.base_unite = g.largeur_trace;
    g.origine_x = page.width() / 4;
    g.origine_y = static_cast<int>(int64_t{page.height()} * 65 / 80);
    const int u10 = unite_relative(g, 10);
    g.decalage_etiquettes_x = u10 + 1;
    const int y_max = largeur_etiquettes(etiquettes, echelles.etendue_y, echelles.pas_y, separateur);
    g.ecart_etiquettes_y = 2 * u10 + (y_max + 1) / 2;
    g.rogne_courbes = true;
    return g;
}

int haut_du_trace(const GeometrieTrace& geo, const QFont& etiquettes) {
    const int haut_axe = geo.origine_y - geo.hauteur_trace;
    return std::min(haut_axe - unite_relative(geo, 20),
                    haut_axe + unite_relative(geo, 10) - QFontMetrics(etiquettes).ascent());
}

int cherche_ligne(const LignesCible& lignes, QByteArrayView ascii) {
    for (qsizetype i = 0; i < lignes.size(); ++i)
        if (contient_ascii(lignes.octets_ligne(i), ascii)) return static_cast<int>(i);
    return -1;
}

TextesPage textes_page(const QString& chemin_cible, const LignesCible& lignes_cible,
                       const QStringList& commentaire, const QString& titre_commentaire) {
    TextesPage t;
    t.nom = nom_sans_dossier(chemin_cible);
    for (int i = 0; i < 3; ++i)
        t.entete.append(enleve_guillemets(lignes_cible.value(i)));
    if (!commentaire.isEmpty())
        t.titre_commentaire = titre_commentaire;
    t.suite = commentaire;
    // A summary on the very first line is a header that happens to hold the words.
    const int debut = cherche_ligne(lignes_cible, "Count Summary");
    if (debut > 0)
        for (qsizetype i = debut; i < lignes_cible.size(); ++i)
            t.suite.append(enleve_guillemets(lignes_cible[i]));
    return t;
}

QFont police_page(bool titre) {
    QFont f = police_graphe(cellule_page);
    f.setBold(titre);
    f.setStyleStrategy(QFont::PreferDefault);
    return f;
}

MiseEnPage met_en_page(const TextesPage& textes, QSize page, int haut_trace) {
    const int largeur = std::max(1, page.width() - 2 * colonne_textes);
    const QFont normale = police_page(false);
    QList<Rangee> titre;
    ajoute(titre, textes.nom, police_page(true), largeur, true);
    Placement placement(page, haut_trace, titre);
    QList<Rangee> rangees{{}};
    for (const QString& l : textes.entete)
        ajoute(rangees, l, normale, largeur);
    rangees.append(Rangee{});
    if (!textes.titre_commentaire.isEmpty())
        ajoute(rangees, textes.titre_commentaire, police_page(true), largeur, true);
    for (const QString& l : textes.suite)
        ajoute(rangees, l, normale, largeur);
    for (const Rangee& r : rangees)
        placement.ajoute(r);
    return placement.termine();
}

QList<EntreeLegende> legende_page(const GeometrieTrace& geo, const DonneesTrace& d, const QFont& police) {
    const QFontMetrics fm(police);
    const int ecart = fm.horizontalAdvance(QStringLiteral("    "));
    const int droite = geo.origine_x + geo.largeur_trace;
    QPoint ici(geo.origine_x, geo.origine_y + geo.decalage_etiquettes_x + fm.height() + pas_lignes);
    QList<EntreeLegende> l;
    for (int k = 1; k <= 8; ++k) {
        if (!d.coches[k] || d.noms[k].isEmpty())
            continue;
        const int largeur = fm.horizontalAdvance(d.noms[k]);
        if (ici.x() > geo.origine_x && ici.x() + largeur > droite)
            ici = QPoint(geo.origine_x, ici.y() + pas_lignes);
        l.append({ici, d.noms[k], d.couleurs[k]});
        ici.rx() += largeur + ecart;
    }
    return l;
}

void trace_apercu(QImage& apercu, const DonneesTrace& donnees) {
    if (apercu.isNull()) return;
    QPainter p(&apercu);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    remplit_surface(p, apercu.width(), apercu.height(), Qt::white);
    const GeometrieTrace geo = geometrie_apercu(apercu.size());
    if (geo.largeur_trace <= 0 || geo.hauteur_trace <= 0) return;
    p.setFont(police_graphe(unite_relative(geo, 50)));
    trace_axes_courbes(p, geo, donnees);
}

namespace {

MiseEnPage mise_en_page(QSize page, const DonneesTrace& donnees, const TextesPage& textes, GeometrieTrace& geo) {
    const QFont police = police_page(false);
    geo = geometrie_page(page, police, donnees.echelles, donnees.separateur);
    return met_en_page(textes, page, haut_du_trace(geo, police));
}

} // namespace

int nb_pages_imprimees(QSize page, const DonneesTrace& donnees, const TextesPage& textes) {
    GeometrieTrace geo;
    return mise_en_page(page, donnees, textes, geo).nb_pages;
}

void trace_pages(QPainter& p, QPagedPaintDevice& appareil, QSize page, const DonneesTrace& donnees,
                 const TextesPage& textes) {
    const QFont police = police_page(false);
    GeometrieTrace geo;
    const MiseEnPage m = mise_en_page(page, donnees, textes, geo);
    for (int n = 0; n < m.nb_pages; ++n) {
        if (n > 0) appareil.newPage();
        remplit_surface(p, page.width(), page.height(), Qt::white);
        if (n == 0) {
            p.setFont(police);
            trace_axes_courbes(p, geo, donnees);
            for (const EntreeLegende& e : legende_page(geo, donnees, police))
                texte_ancre(p, e.position.x(), e.position.y(), e.nom, QLatin1Char('d'), QLatin1Char('b'), e.couleur);
        }
        for (const LigneImprimee& l : m.lignes) {
            if (l.page != n) continue;
            p.setFont(police_page(l.titre));
            texte_ancre(p, l.colonne, l.ligne, l.texte, l.horizontale, QLatin1Char('b'), couleur_textes);
        }
    }
}
