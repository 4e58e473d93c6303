#include "_rez/tform1.h"

#include "util_rez/config/pointeur.h"

#include <QFileInfo>

void TForm1::SpeedButton1Click() {
    const QString dossier = lit_pointeur(emplacements, fichier_dossier_memorise);
    const QString nom = lit_pointeur(emplacements, fichier_nom_memorise);
    OpenDialog1_Title = texte_message(2); // title of the target-file dialog
    const std::optional<QString> choisi =
        plateforme_->ouvre_fichier(this, OpenDialog1_Title, dossier, nom,
                                   filtre_cible());
    if (!choisi)
        return;
    chemin_cible = *choisi;
    const QFileInfo info(chemin_cible);
    memorise_choix(info);
    affiche_titre();
    charge_fichier_dans_memo_et_affiche(chemin_cible);
    x_plus_SpeedButton3Click();
    x_moins_SpeedButton3Click();
}

// The next file dialog opens where this one was left. A failed write only beeps: the choice
// itself stands.
void TForm1::memorise_choix(const QFileInfo& choisi) {
    QString raison;
    if (!ecrit_pointeur(emplacements, fichier_dossier_memorise, choisi.absolutePath() + QLatin1Char('/'), raison))
        plateforme_->bip(1250, 100);
    if (!ecrit_pointeur(emplacements, fichier_nom_memorise, choisi.fileName(), raison))
        plateforme_->bip(1250, 100);
}
