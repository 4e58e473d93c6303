#include "_rez/tform1.h"

#include "util_rez/ecran.h"
#include "util_rez/fichier_texte.h"
#include "util_rez/setup.h"

#include <QFileInfo>

int TForm1::hauteur_barre_taches() const {
    return ::hauteur_barre_taches(plateforme_->ecran(), plateforme_->ecran_disponible());
}

void TForm1::SpeedButton8Click() {
    const int h = hauteur_demi_ecran(plateforme_->ecran(), hauteur_barre_taches());
    resize(width(), h);
    move(x(), 0);
    setColor(Panel5->Color());
    Image3->show();
}

void TForm1::SpeedButton9Click() {
    const int h = hauteur_demi_ecran(plateforme_->ecran(), hauteur_barre_taches());
    resize(width(), h);
    move(x(), h);
    setColor(Panel6->Color());
    Image3->hide();
}

void TForm1::SpeedButton12Click() {
    Memo5->clear();
    const QString nom = nom_fichier_aide(langage_RadioGroup1->ItemIndex());
    if (!nom.isEmpty() && QFileInfo(rep_prog + nom).isFile())
        Memo5->setPlainText(lit_fichier_texte(rep_prog + nom).lignes.join(QLatin1Char('\n')));
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
