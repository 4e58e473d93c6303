#include "_rez/tform1.h"
#include "_rez/touches.h"

#include <QShortcut>

// A shortcut presses its button, so it runs exactly what a click runs, and nothing while the
// button is greyed.
void TForm1::cree_raccourcis() {
    const std::pair<const QKeySequence&, QPushButton*> boutons[] = {
        {touche_cible, SpeedButton1},   {touche_commentaire, SpeedButton4}, {touche_impression, SpeedButton5},
        {touche_export, SpeedButton10}, {touche_aide, SpeedButton12},
    };
    for (const auto& [touche, bouton] : boutons)
        connect(new QShortcut(touche, this), &QShortcut::activated, bouton, &QPushButton::click);
    relie(new QShortcut(touche_fermer, this), &QShortcut::activated, &TForm1::ferme_panneau_ouvert);
    // Through close(), so an edited comment is asked about as when the window's frame closes it.
    connect(new QShortcut(touche_quitter, this), &QShortcut::activated, this, &QWidget::close);
}

void TForm1::ferme_panneau_ouvert() {
    const std::pair<QWidget*, void (TForm1::*)()> panneaux[] = {
        {setup_Panel4, &TForm1::SpeedButton2Click},
        {Panel7, &TForm1::SpeedButton13Click},
        {Panel2, &TForm1::Panel3Click},
    };
    // The last shown panel was raised over the others: the children's order is their stacking.
    const QObjectList& enfants = children();
    for (auto it = enfants.crbegin(); it != enfants.crend(); ++it)
        for (const auto& [panneau, fermeture] : panneaux)
            if (*it == panneau && !panneau->isHidden()) return (this->*fermeture)();
}
