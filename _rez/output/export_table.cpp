#include "_rez/tform1.h"

#include "util_rez/target/lignes_cible.h"

#include "_rez/widgets/lignes_affichees.h"
#include "util_rez/output/table_texte.h"
#include "util_rez/target/texte_cible.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <atomic>

namespace {

// What the export's thread reads and writes: its own copies, since the window goes on (and
// may load another file) meanwhile, and the thread may outlive a window that closes.
struct ExportTable {
    LignesCible lignes;
    QStringList commentaire;
    bool virgule;
    QString chemin;
    std::atomic<qsizetype> lues{0};
    bool ecrit = false;
    QString raison;
    QString texte;
};

} // namespace

void TForm1::SpeedButton10Click() {
    if (sortie_en_cours_) return;
    const QScopedValueRollback<bool> en_cours(sortie_en_cours_, true);
    const QString nom = emplacements.chemin_ecrit(QStringLiteral("presse_papier.xls"));
    // Declined: an earlier run's table must not reach the clipboard as if it were this one.
    if (!arrete &&
        plateforme_->message(this, Plateforme::Genre::Question, texte_message(31), // export before Stopped?
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    QString texte;
    {
        // A long run takes a while to write and to copy.
        plateforme_->curseur_occupe(true);
        const auto fin = qScopeGuard([this] { plateforme_->curseur_occupe(false); });
        texte = ecrit_table_texte(nom);
        if (texte.isNull()) return; // the program is closing
        refuse_intrus(nom);
        QGuiApplication::clipboard()->setText(texte);
    }
    const QString fichier = QDir::toNativeSeparators(QFileInfo(nom).absoluteFilePath());
    plateforme_->message(this, Plateforme::Genre::Information, // exported to the file below
                         QLatin1Char('\n') + texte_message(32) + QLatin1Char('\n') + fichier +
                             QLatin1Char('\n'),
                         QMessageBox::Ok);
}

// Written off the window's thread; gives the text the file holds, for the clipboard, or no
// text when the program closes first.
QString TForm1::ecrit_table_texte(const QString& nom) {
    // The file's own lines decode from its encoding: only the comment may hold what it cannot.
    const QStringList commentaire = lignes_affichees(*Memo3);
    verifie_codable(commentaire);
    auto e = std::make_shared<ExportTable>();
    e->lignes = lignes_chargees();
    e->commentaire = commentaire;
    e->virgule = Edit4->text().contains(QLatin1Char(','));
    e->chemin = nom;
    const qsizetype total = 2 * std::max<qsizetype>(1, e->lignes.size());
    const FinAttente fin = hors_fenetre(
        texte_message(121), // the table export under way
        [e] {
            const QByteArray octets =
                octets_table_texte(e->lignes, e->commentaire, e->virgule, [&e](qsizetype i) { e->lues = i; });
            e->ecrit = remplace_fichier(e->chemin, octets, e->raison, Lien::Refuse);
            Codage codage;
            if (e->ecrit) e->texte = decode_octets(octets, codage);
        },
        [e, total] { return int(e->lues * 100 / total); });
    if (fin != FinAttente::Fini) return {};
    if (!e->ecrit) signale_non_ecrit(nom, e->raison, Lien::Refuse);
    return e->texte;
}
