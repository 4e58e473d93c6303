#include "_rez/tform1.h"

#include "util_rez/target/lignes_cible.h"

#include "util_rez/base/conversions.h"
#include "util_rez/plot/fenetre.h"
#include "util_rez/plot/trace.h"
#include "util_rez/target/lecture_enreg.h"
#include "util_rez/target/recherche_temps.h"

namespace {

// The box keeps this far from the pointer, above it, clear of the hint that shows below it.
constexpr int ecart_boite = 12;

GeometrieTrace geometrie_image(const TImage& image) {
    const QSize taille = taille_logique(image.Picture());
    return geometrie_ecran(taille.width(), taille.height());
}

// Beside the point, flipped to its other side where the picture ends, and never outside it.
QPoint place_boite(QPoint ancre, QSize boite, QSize image) {
    int x = ancre.x() + ecart_boite;
    if (x + boite.width() > image.width()) x = ancre.x() - ecart_boite - boite.width();
    int y = ancre.y() - ecart_boite - boite.height();
    if (y < 0) y = ancre.y() + ecart_boite;
    return {std::clamp(x, 0, std::max(0, image.width() - boite.width())),
            std::clamp(y, 0, std::max(0, image.height() - boite.height()))};
}

} // namespace

Echelles TForm1::echelles_affichees() const {
    const Echelles e = lit_echelles(Edit1->text(), Edit2->text(), separateur_locale());
    if (!fenetre_CheckBox9->isChecked()) return e;
    return echelles_fenetre(e, StrToInt(Edit9->text()), max_x);
}

void TForm1::fenetre_CheckBox9Click() {
    trace_graphe(QLatin1Char('E'));
}

void TForm1::Edit9KeyPress(QChar touche) {
    if (touche == QChar(13)) trace_graphe(QLatin1Char('E'));
}

bool TForm1::temps_ordonnes_charges() {
    if (ordre_temps_.chargement != nb_chargements || ordre_temps_.nb_enreg != nb_enreg)
        ordre_temps_ = {nb_chargements, nb_enreg, temps_ordonnes(temps_enregs(*tableau, nb_enreg))};
    return ordre_temps_.ordonnes;
}

// The record nearest the run time under a column of the picture, 0 when nothing is plotted.
int TForm1::enreg_sous(int colonne) {
    const GeometrieTrace geo = geometrie_image(*Image1);
    if (nb_enreg <= 0 || geo.largeur_trace <= 0 || !echelles_valides(echelles)) return 0;
    const long double temps = echelles.min_x + static_cast<long double>(colonne - geo.origine_x) *
                                                   echelles.etendue_x / geo.largeur_trace;
    return enreg_le_plus_proche(temps_enregs(*tableau, nb_enreg), temps, temps_ordonnes_charges());
}

void TForm1::Image1MouseMove(QPoint position) {
    ancre_lecture_ = position;
    enreg_lecture = enreg_sous(position.x());
    montre_lecture();
}

void TForm1::Image1MouseLeave() {
    enreg_lecture = 0;
    montre_lecture();
}

void TForm1::Image1MouseDown(Qt::MouseButton bouton, QPoint position) {
    if (bouton == Qt::LeftButton)
        enreg_reference = enreg_sous(position.x());
    else if (bouton == Qt::RightButton)
        enreg_reference = 0;
    montre_lecture();
}

// One zoom button's step per notch, exactly as if it had been pressed.
void TForm1::Image1MouseWheel(int crans, bool shift) {
    const auto plus = shift ? &TForm1::x_plus_SpeedButton3Click : &TForm1::y_plus_SpeedButton3Click;
    const auto moins = shift ? &TForm1::x_moins_SpeedButton3Click : &TForm1::y_moins_SpeedButton3Click;
    for (int i = 0; i < std::abs(crans); ++i)
        (this->*(crans > 0 ? plus : moins))();
}

void TForm1::Image1KeyDown(int touche) {
    if (touche == Qt::Key_Escape) {
        (enreg_reference != 0 ? enreg_reference : enreg_lecture) = 0;
    } else if (nb_enreg > 0) {
        const int k = enreg_lecture;
        if (k == 0 && (touche == Qt::Key_Left || touche == Qt::Key_Right))
            enreg_lecture = nb_enreg;
        else if (touche == Qt::Key_Left)
            enreg_lecture = std::max(1, k - 1);
        else if (touche == Qt::Key_Right)
            enreg_lecture = std::min(nb_enreg, k + 1);
        else
            enreg_lecture = touche == Qt::Key_Home ? 1 : nb_enreg;
        const GeometrieTrace geo = geometrie_image(*Image1);
        if (echelles_valides(echelles))
            ancre_lecture_.setX(colonne_pixel(geo, echelles, (*tableau)(1, enreg_lecture)));
        if (ancre_lecture_.y() <= 0) ancre_lecture_.setY(geo.origine_y - geo.hauteur_trace / 2);
    }
    montre_lecture();
}

// After a redraw the two records stay, as long as the file still has them.
void TForm1::actualise_lecture() {
    if (cible_lecture_ != chemin_cible) enreg_lecture = enreg_reference = 0;
    cible_lecture_ = chemin_cible;
    if (enreg_lecture > nb_enreg) enreg_lecture = 0;
    if (enreg_reference > nb_enreg) enreg_reference = 0;
    montre_lecture();
}

void TForm1::montre_lecture() {
    const GeometrieTrace geo = geometrie_image(*Image1);
    const bool visible = echelles_valides(echelles) && geo.largeur_trace > 0;
    const auto colonne = [&](int k) -> std::optional<int> {
        if (!visible || k <= 0 || k > nb_enreg) return std::nullopt;
        return colonne_pixel(geo, echelles, (*tableau)(1, k));
    };
    Image1->setMarques(colonne(enreg_lecture), colonne(enreg_reference), geo.origine_y - geo.hauteur_trace,
                       geo.origine_y);
    if (!colonne(enreg_lecture)) {
        lecture_Label->hide();
        return;
    }
    const auto lu = [this](int k) {
        return enreg_lu(lignes_chargees().value(static_cast<qsizetype>((*tableau)(0, k))), *tableau, k);
    };
    const EnregLu e = lu(enreg_lecture);
    std::optional<EnregLu> reference;
    if (colonne(enreg_reference)) reference = lu(enreg_reference);
    std::array<QString, 9> noms{texte_message(117)}; // readout: the run time's name
    for (int k = 1; k <= 8; ++k)
        noms[k] = cases_courbes[k]->text();
    const QList<LigneLecture> lignes =
        lecture_enreg(e, reference ? &*reference : nullptr, coches_courbes(), noms);
    QList<QColor> couleurs;
    for (const LigneLecture& l : lignes)
        couleurs.append(l.courbe == 0 ? couleur_textes : couleurs_courbes[l.courbe]);
    lecture_Label->setLignes(texte_lecture(lignes), couleurs);
    lecture_Label->move(place_boite(ancre_lecture_, lecture_Label->size(), Image1->size()));
    lecture_Label->show();
    lecture_Label->raise();
}
