#include "_rez/tform1.h"

#include "util_rez/fichier_cible.h"
#include "util_rez/fichier_texte.h"
#include "util_rez/texte.h"

#include <QScrollBar>

namespace {

// A writer may be caught half-way through its last record: a quoted line that has not got
// its closing quote nor its line break yet is left for the next load.
bool ligne_inachevee(const TexteLu& lu) {
    if (lu.fin_de_ligne_finale || lu.lignes.isEmpty())
        return false;
    const QString& l = lu.lignes.last();
    return l.startsWith(QLatin1Char('"')) && (l.size() < 2 || !l.endsWith(QLatin1Char('"')));
}

} // namespace

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
    const QString marque = coupe_espaces(texte_message(50)); // comment heading
    qsizetype m = -1;
    for (qsizetype i = 2; i < lignes.size(); ++i) {
        if (coupe_espaces(lignes[i]) == marque) {
            m = i;
            break;
        }
    }
    if (m < 0)
        return;
    Memo3->setPlainText(lignes.mid(m + 1).join(QLatin1Char('\n')));
    Memo3->verticalScrollBar()->setValue(0);
    lignes.erase(lignes.begin() + (m - 1), lignes.end());
}
