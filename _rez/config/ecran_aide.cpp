#include "_rez/tform1.h"

#include "util_rez/config/setup.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/shell/ecran.h"

#include <QFileInfo>
#include <QShowEvent>

int TForm1::hauteur_barre_taches() const {
    return ::hauteur_barre_taches(plateforme_->ecran(), plateforme_->ecran_disponible());
}

void TForm1::place_demi_ecran(bool bas) {
    const QRect cadre = frameGeometry();
    place_cadre(cadre_demi_ecran(cadre.x(), cadre.width(),
                                 hauteur_demi_ecran(plateforme_->ecran(), hauteur_barre_taches()), bas));
    setColor((bas ? Panel6 : Panel5)->Color());
    Image3->setHidden(bas);
}

void TForm1::place_cadre(const QRect& cadre) {
    cadre_voulu_ = cadre;
    applique_cadre();
    if (isVisible()) {
        essais_marges_ = 0;
        attente_marges_->start();
    }
}

void TForm1::applique_cadre() {
    const QRect client = geometry(), cadre = frameGeometry();
    const QMargins marges(client.left() - cadre.left(), client.top() - cadre.top(),
                          cadre.right() - client.right(), cadre.bottom() - client.bottom());
    setGeometry(client_pour_cadre(*cadre_voulu_, marges));
}

void TForm1::ajuste_cadre() {
    const bool marges_connues = frameGeometry() != geometry();
    if (marges_connues && frameGeometry() != *cadre_voulu_) applique_cadre();
    if ((marges_connues && frameGeometry() == *cadre_voulu_) || ++essais_marges_ >= 40)
        attente_marges_->stop();
}

// Without a window manager the frame is the client area from the start, and nothing moves.
void TForm1::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (cadre_voulu_ && !e->spontaneous()) {
        essais_marges_ = 0;
        attente_marges_->start();
    }
}

void TForm1::SpeedButton8Click() {
    place_demi_ecran(false);
}

void TForm1::SpeedButton9Click() {
    place_demi_ecran(true);
}

void TForm1::SpeedButton12Click() {
    Memo5->clear();
    const QString nom = nom_fichier_aide(langage_RadioGroup1->ItemIndex());
    if (!nom.isEmpty() && QFileInfo(rep_prog + nom).isFile())
        Memo5->setPlainText(lit_fichier_texte(rep_prog + nom, taille_max_langue).lignes.join(QLatin1Char('\n')));
    Panel7->bascule();
}

void TForm1::SpeedButton13Click() {
    Panel7->hide();
}

void TForm1::SpeedButton3Click() {
    Panel2->bascule();
}

void TForm1::Panel3Click() {
    Panel2->hide();
}
