#include "_rez/tform1.h"

#include "util_rez/target/lignes_cible.h"

#include "_rez/widgets/lignes_affichees.h"
#include "util_rez/output/table_texte.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>

void TForm1::SpeedButton10Click() {
    const QString nom = emplacements.chemin_ecrit(QStringLiteral("presse_papier.xls"));
    // Declined: an earlier run's table must not reach the clipboard as if it were this one.
    if (!arrete &&
        plateforme_->message(this, Plateforme::Genre::Question, texte_message(31), // export before Stopped?
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    {
        // A long run takes a while to write and to copy.
        plateforme_->curseur_occupe(true);
        const auto fin = qScopeGuard([this] { plateforme_->curseur_occupe(false); });
        ecrit_table_texte(nom);
        refuse_intrus(nom);
        Codage codage;
        QGuiApplication::clipboard()->setText(decode_octets(lit_octets(nom), codage));
    }
    const QString fichier = QDir::toNativeSeparators(QFileInfo(nom).absoluteFilePath());
    plateforme_->message(this, Plateforme::Genre::Information, // exported to the file below
                         QLatin1Char('\n') + texte_message(32) + QLatin1Char('\n') + fichier +
                             QLatin1Char('\n'),
                         QMessageBox::Ok);
}

void TForm1::ecrit_table_texte(const QString& nom) {
    const bool mode_virgule = Edit4->text().contains(QLatin1Char(','));
    // The file's own lines decode from its encoding: only the comment may hold what it cannot.
    const QStringList commentaire = lignes_affichees(*Memo3);
    verifie_codable(commentaire);
    ecrit_ou_signale(nom, octets_table_texte(lignes_chargees(), commentaire, mode_virgule), Lien::Refuse);
}
