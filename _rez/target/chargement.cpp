#include "_rez/tform1.h"

#include "util_rez/fichier_cible.h"
#include "util_rez/fichier_texte.h"
#include "util_rez/lignes_cible.h"
#include "util_rez/texte.h"

#include <QScrollBar>

void TForm1::charge_fichier_dans_memo_et_affiche(const QString& chemin) {
    arrete = false;
    taille_cible = taille_fichier(chemin);
    age_cible = age_fichier(chemin);
    Memo1->clear();
    lignes_chargees.clear();
    octets_cible.clear();
    ++nb_chargements;
    TexteLu lu = lit_fichier_texte(chemin);
    octets_cible = lu.octets;
    codage_cible = lu.codage;
    const bool derniere_ligne_retenue = ligne_inachevee(lu);
    if (derniere_ligne_retenue)
        lu.lignes.removeLast();
    lignes_chargees = lu.lignes;
    extrait_commentaire(lignes_chargees);
    Memo1->setPlainText(lignes_chargees.join(QLatin1Char('\n')));

    Label3->setText(enleve_guillemets(lignes_chargees.value(0)));
    Label2->setText(enleve_guillemets(lignes_chargees.value(1)));
    const QString derniere = lignes_chargees.isEmpty() ? QString() : lignes_chargees.last();
    if (!derniere.isEmpty() && (derniere[0] == QLatin1Char('"') || derniere[0] == QLatin1Char('\'')))
        Label15->setText(enleve_guillemets(derniere));
    else
        Label15->clear();
    Label15->setToolTip(derniere_ligne_retenue ? texte_message(71) : QString()); // last line still being written
    remplit_tableau();
    trace_graphe(QLatin1Char('E'));
}

void TForm1::extrait_commentaire(QStringList& lignes) {
    const auto commentaire = coupe_commentaire(lignes, texte_message(50)); // comment heading
    if (!commentaire)
        return;
    Memo3->setPlainText(commentaire->join(QLatin1Char('\n')));
    Memo3->verticalScrollBar()->setValue(0);
}
