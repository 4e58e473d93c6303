#include "_rez/tform1.h"

#include "util_rez/config/setup.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/shell/ecran.h"

#include <QFileInfo>

int TForm1::hauteur_barre_taches() const {
    return ::hauteur_barre_taches(plateforme_->ecran(), plateforme_->ecran_disponible());
}

// The bottom half starts at the window's own height, which is what tells it apart later.
void TForm1::place_demi_ecran(bool bas) {
    const int h = hauteur_demi_ecran(plateforme_->ecran(), hauteur_barre_taches());
    resize(width(), h);
    move(x(), bas ? h : 0);
    setColor((bas ? Panel6 : Panel5)->Color());
    Image3->setHidden(bas);
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
