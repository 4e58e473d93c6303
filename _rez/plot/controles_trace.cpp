#include "_rez/tform1.h"

#include "util_rez/shell/couleurs.h"

void TForm1::Edit1KeyPress(QChar touche) {
    if (touche == QChar(13))
        trace_graphe(QLatin1Char('E'));
}

void TForm1::Edit2KeyPress(QChar touche) {
    if (touche == QChar(13))
        trace_graphe(QLatin1Char('E'));
}

void TForm1::Edit3KeyPress(QChar touche) {
    if (touche == QChar(13))
        trace_graphe(QLatin1Char('E'));
}

void TForm1::CheckBox1Click() {
    trace_graphe(QLatin1Char('E'));
}

void TForm1::Memo3Change() {}

void TForm1::Memo3KeyDown() {
    commentaire_modifie = true;
}

namespace {
bool bouton_gauche_ou_droit(Qt::MouseButton b) {
    return b == Qt::LeftButton || b == Qt::RightButton;
}
} // namespace

void TForm1::Button1MouseDown(Qt::MouseButton bouton) {
    if (!bouton_gauche_ou_droit(bouton))
        return;
    const std::optional<QColor> c = plateforme_->choisit_couleur(this, palette().color(QPalette::Window));
    if (c)
        setColor(code_depuis_couleur(*c));
    (placement_bas() ? Panel6 : Panel5)->setColor(Color());
}

// Whichever session this window is, the chosen colour becomes its own, then the swatch's.
void TForm1::choisit_couleur_session(TPanel* pastille, Qt::MouseButton bouton) {
    if (!bouton_gauche_ou_droit(bouton))
        return;
    if (const std::optional<QColor> c = plateforme_->choisit_couleur(this, pastille->palette().color(QPalette::Window))) {
        setColor(code_depuis_couleur(*c));
        pastille->setColor(Color());
    }
}

void TForm1::Panel5MouseDown(Qt::MouseButton bouton) {
    choisit_couleur_session(Panel5, bouton);
}

void TForm1::Panel6MouseDown(Qt::MouseButton bouton) {
    choisit_couleur_session(Panel6, bouton);
}
