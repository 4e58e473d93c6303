#include "_rez/tform1.h"

#include "_rez/widgets/lignes_affichees.h"
#include "util_rez/config/pointeur.h"
#include "util_rez/files/fin_de_fichier.h"
#include "util_rez/files/remplace_fichier.h"
#include "util_rez/target/commentaire.h"
#include "util_rez/target/lignes_cible.h"

#include <QCloseEvent>
#include <QDir>
#include <QScopedValueRollback>
#include <memory>

namespace {

// A name whose file has gone is still the target's when it is the same name.
bool meme_fichier(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    if (!ca.isEmpty()) return ca == QFileInfo(b).canonicalFilePath();
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

void TForm1::SpeedButton4Click() {
    // The window goes on while a long run is written, so the button can be pressed again meanwhile.
    if (sortie_en_cours_) return;
    const QScopedValueRollback<bool> en_cours(sortie_en_cours_, true);
    const QString dossier = lit_pointeur(emplacements, fichier_dossier_memorise);
    const std::optional<QString> choisi =
        plateforme_->enregistre_fichier(this, texte_message(22), dossier, chemin_cible); // save dialog title
    if (!choisi)
        return;
    const QFileInfo info(*choisi);
    memorise_choix(info);
    const bool existe = info.exists();
    if (existe && !arrete) {
        plateforme_->message(this, Plateforme::Genre::Information, texte_message(23), // refusal: not finished
                             QMessageBox::Ok);
        return;
    }
    const bool sur_cible = !chemin_cible.isEmpty() && meme_fichier(*choisi, chemin_cible);
    // A file planted holding only the comment would trip a logger that starts its run anew.
    if (sur_cible && !existe) {
        refuse_cible_absente();
        return;
    }
    const QStringList commentaire = lignes_affichees(*Memo3);
    if (!ecrit_commentaire(*choisi, sur_cible, commentaire))
        return;
    // A long run is written while the window goes on: what was typed meanwhile is not saved.
    commentaire_modifie = lignes_affichees(*Memo3) != commentaire;
    plateforme_->message(this, Plateforme::Genre::Information,
                         texte_message(existe ? 25 : 27) + QStringLiteral("  ") + // comment written to a file
                             QString::number(commentaire.size()) + texte_message(26),
                         QMessageBox::Ok);
}

// The target file keeps its bytes and gets the new block in place of the old; any other file
// becomes a copy of the displayed lines with the block. False when nothing was written because
// the target had changed.
bool TForm1::ecrit_commentaire(const QString& chemin, bool sur_cible, const QStringList& commentaire) {
    const QStringList bloc = bloc_commentaire(texte_message(50), commentaire); // comment heading
    verifie_codable(bloc);
    if (!sur_cible) return ecrit_copie_commentee(chemin, encode_lignes(bloc, codage_cible()));
    // Saving again before the refresh has reloaded the file starts from what the last save left.
    const FinAttendue attendue = ecrit_sur_cible_.value_or(
        fin_attendue(identite_chargee_, lignes_chargees().octets(),
                     fin_cible(lignes_chargees().octets(), lignes_chargees().size())));
    const QByteArray garde = attendue.queue.first(attendue.queue.size() - (attendue.taille - attendue.debut));
    const QByteArray ajout = ajout_commentaire(garde, bloc, codage_cible());
    QString raison;
    switch (remplace_fin(chemin_cible, attendue, ajout, ecrit_sur_cible_, raison)) {
    case Remplacement::Fait:
        // The line break put after a last line without one is no part of the next block.
        if (ecrit_sur_cible_) ecrit_sur_cible_->debut += ajout.size() - encode_lignes(bloc, codage_cible()).size();
        return true;
    case Remplacement::Change:
        recharge_cible_changee();
        return false;
    case Remplacement::Absent:
        refuse_cible_absente();
        return false;
    case Remplacement::Echec:
        break;
    }
    throw ErreurRez(texte_message(74) + QLatin1Char('\n') + chemin_cible + QLatin1Char('\n') +
                    raison); // not written; the file and the reason follow
}

// A long run takes a second or so to write out: that is done off the window's thread, from
// copies, since the window goes on (and may load the file anew) meanwhile. False when the
// program closes first.
bool TForm1::ecrit_copie_commentee(const QString& chemin, const QByteArray& bloc) {
    struct Copie {
        LignesCible lignes;
        QByteArray bloc;
        QString chemin;
        bool ecrit = false;
        QString raison;
    };
    auto c = std::make_shared<Copie>(Copie{lignes_chargees(), bloc, chemin, false, {}});
    const FinAttente fin = hors_fenetre(
        texte_message(125), // a long run saved with its comment
        [c] {
            QByteArray octets = octets_crlf(c->lignes);
            octets += c->bloc;
            c->ecrit = remplace_fichier(c->chemin, octets, c->raison);
        },
        {});
    if (fin != FinAttente::Fini) return false;
    if (!c->ecrit) signale_non_ecrit(chemin, c->raison, Lien::Suivi);
    return true;
}

// Rewriting from what was loaded would drop what the writer added since. The user sees the
// file as it is now and saves again; the comment typed meanwhile stays in the box.
void TForm1::recharge_cible_changee() {
    const QString saisi = Memo3->toPlainText();
    charge_fichier_dans_memo_et_affiche(chemin_cible);
    Memo3->setPlainText(saisi);
    plateforme_->message(this, Plateforme::Genre::Information, texte_message(72), // changed since loaded
                         QMessageBox::Ok);
}

void TForm1::refuse_cible_absente() {
    plateforme_->message(this, Plateforme::Genre::Information,
                         texte_message(105) + QLatin1Char('\n') + chemin_cible, // target gone: not written
                         QMessageBox::Ok);
}

// False keeps the window open with the comment as it stands: cancelled, or a save that did not happen.
bool TForm1::FormClose() {
    if (!commentaire_modifie)
        return true;
    const QString question =
        texte_message(29) + QStringLiteral("\n\n") + texte_message(30) + QLatin1Char(' ');
    const QMessageBox::StandardButton reponse =
        plateforme_->message(this, Plateforme::Genre::Question, question, // comment not saved
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (reponse == QMessageBox::Yes) {
        SpeedButton4Click();
        return !commentaire_modifie;
    }
    return reponse == QMessageBox::No;
}

void TForm1::closeEvent(QCloseEvent* e) {
    bool ferme = false;
    garde([&] { ferme = FormClose(); });
    e->setAccepted(ferme);
}
