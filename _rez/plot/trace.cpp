#include "_rez/tform1.h"

#include "util_rez/base/conversions.h"
#include "util_rez/plot/trace_suivi.h"

std::array<bool, 9> TForm1::coches_courbes() const {
    std::array<bool, 9> coches{};
    for (int k = 1; k <= 8; ++k)
        coches[k] = cases_courbes[k] && cases_courbes[k]->isChecked();
    return coches;
}

DonneesTrace TForm1::donnees_trace() const {
    DonneesTrace d;
    d.echelles = echelles;
    d.tableau = tableau.get();
    d.nb_enreg = nb_enreg;
    d.coches = coches_courbes();
    d.couleurs = couleurs_courbes;
    d.texte_epaisseur = Edit3->text();
    d.chemin_cible = chemin_cible;
    d.separateur = separateur_locale();
    d.note_echelle_invalide = texte_message(68); // note: full scale not above 0
    for (int k = 1; k <= 8; ++k)
        d.noms[k] = cases_courbes[k]->text();
    d.resume = &suivi_trace_->resume();
    d.fenetre = fenetre_CheckBox9->isChecked();
    return d;
}

void TForm1::trace_graphe(QChar mode) {
    if (mode == QLatin1Char('P')) {
        imprime_page();
        return;
    }
    if (mode != QLatin1Char('E'))
        return;
    echelles = echelles_affichees();
    // A pass stopped by a bad thickness still shows what it drew.
    struct MiseAJour {
        TImage* image;
        const SuiviTrace& suivi;
        ~MiseAJour() {
            if (!suivi.zone_modifiee().isEmpty()) image->update(suivi.zone_modifiee());
        }
    } mise_a_jour{Image1, *suivi_trace_};
    suivi_trace_->trace(Image1->Picture(), donnees_trace());
    actualise_lecture();
}

void TForm1::ScrollBox1Resize() {
    const int l = std::max(1, ScrollBox1->width() - 10);
    const int h = std::max(1, ScrollBox1->height() - 10);
    QImage image = image_ecran(QSize(l, h), Image1->devicePixelRatioF());
    image.fill(QColor(255, 0, 0));
    Image1->setPicture(image);
    Image1->resize(l, h);
    trace_graphe(QLatin1Char('E'));
}
