#include "_rez/tform1.h"

#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_cible.h"
#include "util_rez/target/lecture_cible.h"
#include "util_rez/target/memoire_cible.h"
#include "util_rez/target/texte_cible.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <atomic>

void TForm1::charge_fichier_dans_memo_et_affiche(const QString& chemin) {
    // A long file being read off the window's thread: the window goes on, but loads nothing else.
    if (chargement_en_cours_) return;
    arrete = false;
    taille_cible = taille_fichier(chemin);
    age_cible = age_fichier(chemin);
    identite_cible = identite_fichier(chemin);
    identite_chargee_ = identite_cible.value_or(IdentiteFichier{});
    ecrit_sur_cible_.reset();
    ++nb_chargements;
    const QString& marque = marques_commentaire_;
    try {
        if (!charge_ajout(chemin, marque)) charge_complete(chemin, marque);
    } catch (const ErreurRez& e) {
        // Refused before anything was let go: the window keeps the run it showed.
        if (e.genre() == ErreurRez::Genre::MemoireInsuffisante && !lecture_cible_->octets().isEmpty()) throw;
        nb_enreg = std::min(nb_enreg, tableau->taille());
        lecture_cible_->oublie();
        Memo1->lignes_changees(0);
        throw;
    }
    if (const auto& commentaire = lecture_cible_->commentaire()) montre_commentaire(*commentaire);

    const LignesCible& lignes = lignes_chargees();
    Label3->setText(enleve_guillemets(lignes.value(0)));
    Label2->setText(enleve_guillemets(lignes.value(1)));
    const QString derniere = lignes.isEmpty() ? QString() : lignes.constLast();
    if (!derniere.isEmpty() && (derniere[0] == QLatin1Char('"') || derniere[0] == QLatin1Char('\'')))
        Label15->setText(enleve_guillemets(derniere));
    else
        Label15->clear();
    const bool retenue = lecture_cible_->derniere_retenue();
    Label15->setToolTip(retenue ? texte_message(71) : QString()); // last line still being written
    applique_parse(lecture_cible_->parse());
    trace_graphe(QLatin1Char('E'));
}

// Only the bytes appended since the last load are split, decoded and parsed, once the file
// is seen to begin with every byte that load read.
bool TForm1::charge_ajout(const QString& chemin, const QString& marque) {
    if (!lecture_cible_->suit(chemin, marque)) return false;
    const std::optional<QByteArray> ajout = lit_ajout(chemin, lecture_cible_->octets());
    if (!ajout) return false;
    const bool fait = lecture_cible_->ajoute(*ajout, marque, *tableau);
    Memo1->lignes_changees(fait ? lecture_cible_->premiere_changee() : lecture_cible_->lignes().size());
    return fait;
}

namespace {

// What the load's thread makes: its own reading and table, since the window goes on with its
// own meanwhile, and the thread may outlive a window that closes.
struct Chargement {
    LectureCible lecture;
    std::unique_ptr<Tableau> tableau = std::make_unique<Tableau>();
    std::atomic<int> pour_cent{0};
};

} // namespace

void TForm1::charge_complete(const QString& chemin, const QString& marque) {
    const qint64 taille = QFileInfo(chemin).size();
    if (taille >= taille_chargement_a_part) return charge_a_part(chemin, marque, taille);
    verifie_memoire(chemin, taille, lecture_cible_->octets().size());
    // The last load goes before the file is read, so that two files' worth never sit in memory.
    lecture_cible_->oublie();
    Memo1->lignes_changees(0);
    lecture_cible_->charge(chemin, lit_octets(chemin), marque, *tableau);
    Memo1->lignes_changees(0);
}

// The window keeps showing the run it has, its refresh held, until the new one is complete and
// takes its place; so the memory must hold both for a moment.
void TForm1::charge_a_part(const QString& chemin, const QString& marque, qint64 taille) {
    verifie_memoire(chemin, taille, 0);
    auto c = std::make_shared<Chargement>();
    const PauseRafraichissement pause(*this);
    const QScopedValueRollback<bool> en_cours(chargement_en_cours_, true);
    plateforme_->curseur_occupe(true);
    const auto fin_curseur = qScopeGuard([this] { plateforme_->curseur_occupe(false); });
    const FinAttente fin = hors_fenetre(
        texte_message(124), // the target file being loaded
        [c, chemin, marque] {
            c->lecture.charge(chemin, lit_octets(chemin), marque, *c->tableau, [&c](int p) { c->pour_cent = p; });
        },
        [c] { return c->pour_cent.load(); });
    if (fin != FinAttente::Fini) return;
    *lecture_cible_ = std::move(c->lecture);
    tableau = std::move(c->tableau);
    Memo1->lignes_changees(0);
}

const LignesCible& TForm1::lignes_chargees() const {
    return lecture_cible_->lignes();
}

Codage TForm1::codage_cible() const {
    return lecture_cible_->codage();
}

void TForm1::montre_commentaire(const QStringList& lignes) {
    Memo3->setPlainText(lignes.join(QLatin1Char('\n')));
    Memo3->verticalScrollBar()->setValue(0);
}
