#include "_rez/tform1.h"

#include "_rez/widgets/lignes_affichees.h"
#include "util_rez/config/pointeur.h"
#include "util_rez/target/commentaire.h"

#include <QCloseEvent>

namespace {

bool meme_fichier(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

void TForm1::SpeedButton4Click() {
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
    const QStringList commentaire = lignes_affichees(*Memo3);
    if (!ecrit_commentaire(*choisi, existe && meme_fichier(*choisi, chemin_cible), commentaire))
        return;
    commentaire_modifie = false;
    plateforme_->message(this, Plateforme::Genre::Information,
                         texte_message(existe ? 25 : 27) + QStringLiteral("  ") + // comment written to a file
                             QString::number(commentaire.size()) + texte_message(26),
                         QMessageBox::Ok);
}

// The target file itself keeps its bytes and gets the new block in place of the old; any
// other file becomes a copy of the displayed lines with the block. False when nothing was
// written because the target had changed.
bool TForm1::ecrit_commentaire(const QString& chemin, bool sur_cible, const QStringList& commentaire) {
    const QStringList bloc = bloc_commentaire(texte_message(50), commentaire); // comment heading
    verifie_codable(bloc);
    if (!sur_cible) {
        ecrit_ou_signale(chemin, encode_lignes(lignes_chargees + bloc, codage_cible));
        return true;
    }
    const std::optional<QByteArray> corps = corps_cible_inchange();
    if (!corps) {
        recharge_cible_changee();
        return false;
    }
    const QByteArray octets = *corps + encode_lignes(bloc, codage_cible);
    ecrit_ou_signale(chemin, octets);
    ecrit_sur_cible_ = EcritureCible{octets, *corps};
    return true;
}

// The part of the target file a rewrite keeps, as long as the file holds what was loaded (or
// what the last save wrote); nothing when its writer has added to it since.
std::optional<QByteArray> TForm1::corps_cible_inchange() {
    const QByteArray actuels = lit_octets(chemin_cible);
    if (actuels == octets_cible)
        return octets_conserves(octets_cible, lignes_chargees.size());
    if (ecrit_sur_cible_ && actuels == ecrit_sur_cible_->octets)
        return ecrit_sur_cible_->conserves;
    return std::nullopt;
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
