#include "_rez/tform1.h"

#include "_rez/widgets/lignes_affichees.h"
#include "util_rez/target/lignes_cible.h"

#include "util_rez/output/ooxml/tableur_excel.h"
#include "util_rez/output/plan_tableur.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>
#include <QScopedValueRollback>

void TForm1::SpeedButton7Click() {
    exporte_tableur();
}

// Rows written per call: the note moves on and the fill can be stopped between two calls.
constexpr qsizetype rangs_par_appel = 10000;

void TForm1::exporte_tableur() {
    // The window goes on while the office works, so the button can be pressed again meanwhile.
    if (sortie_en_cours_) return;
    const QScopedValueRollback<bool> en_cours(sortie_en_cours_, true);
    const bool virgule = Edit4->text().contains(u',');
    if (!avec_excel && !uno_disponible()) {
        plateforme_->message(this, Plateforme::Genre::Information,
                             texte_message(78), // no LibreOffice in this build
                             QMessageBox::Ok);
        return;
    }
    QString classeur;
    if (!prepare_classeur(QStringLiteral("/Lintrace_"), classeur)) return;
    plateforme_->curseur_occupe(true);
    montre_note(texte_message(81), texte_message(122)); // export under way; stop
    const auto fin = qScopeGuard([this] {
        note_travail->hide();
        plateforme_->curseur_occupe(false);
    });
    qsizetype ecrits = 0;
    bool stoppe = false;
    try {
        _connecter_tableur_open_visible(classeur, true);
        const PlanTableur plan = planifie_tableur(donnees_tableur(virgule));
        for (const CelluleTableur& c : plan.cellules)
            ecrit_cellule(c.ligne, c.colonne, c.texte);
        while (ecrits < plan.nb_rangs() && !(stoppe = note_travail->arret_demande())) {
            const qsizetype n = std::min(rangs_par_appel, plan.nb_rangs() - ecrits);
            tableur_->ecrit_bloc(PlanTableur::ligne_bloc + int(ecrits), 1, plan.rangs(int(ecrits), int(n)));
            ecrits += n;
            note_travail->avance(int(ecrits * 100 / plan.nb_rangs()));
            // The Excel path fills the workbook on this thread: the note and its button get a turn.
            QCoreApplication::processEvents();
        }
        // Packing a full workbook takes seconds, past the point where it can be stopped.
        montre_note(texte_message(81), QString());
        tableur_->termine();
    } catch (const ErreurTableur& e) {
        if (e.cause() != ErreurTableur::Cause::Abandon) throw ErreurRez(message_tableur(e, classeur));
        return;
    }
    if (stoppe)
        plateforme_->message(this, Plateforme::Genre::Information,
                             texte_message(123) + QLatin1Char(' ') +
                                 QString::number(ecrits), // stopped: written
                             QMessageBox::Ok);
    else if (nb_enreg > PlanTableur::enreg_max)
        plateforme_->message(this, Plateforme::Genre::Information,
                             texte_message(115) + QLatin1Char(' ') + // the sheet ends: records written
                                 QString::number(PlanTableur::enreg_max) + QStringLiteral(". ") +
                                 texte_message(116), // the table export holds the whole run
                             QMessageBox::Ok);
}

bool TForm1::_connecter_tableur_open_visible(const QString& chemin, bool visible) {
    if (avec_excel) {
        tableur_excel_ = std::make_unique<TableurExcel>(
            [this](const QString& c) { return plateforme_->ouvre_document(c); });
        if (chemin == modele_tableur_) tableur_excel_->ecrit_vers(classeur_de_secours());
        tableur_ = tableur_excel_.get();
    } else {
        if (!tableur_uno_) tableur_uno_ = std::make_unique<TableurUno>(limites_uno);
        tableur_ = tableur_uno_.get();
    }
    try {
        tableur_->connecte(visible);
    } catch (const ErreurTableur& e) {
        if (e.cause() != ErreurTableur::Cause::Delai) throw;
        throw ErreurTableur(ErreurTableur::Cause::Demarrage, texte_message(80)); // no answer in time
    }
    if (!chemin.isEmpty()) tableur_->ouvre(chemin);
    return true;
}

void TForm1::ecrit_cellule(int ligne, int colonne, const QString& texte) {
    // A cell that cannot be written is left out; an office that went away ends the export.
    if (tableur_) tableur_->ecrit(ligne, colonne, texte);
}

DonneesTableur TForm1::donnees_tableur(bool virgule) const {
    DonneesTableur d;
    d.lignes = lignes_chargees();
    d.commentaire = lignes_affichees(*Memo3);
    for (int k = 1; k <= 8; ++k)
        d.noms[k] = cases_courbes[k]->text();
    d.tableau = tableau.get();
    d.nb_enreg = nb_enreg;
    d.virgule = virgule;
    return d;
}

QString TForm1::message_tableur(const ErreurTableur& e, const QString& classeur) const {
    using C = ErreurTableur::Cause;
    const QString chemin = e.chemin().isEmpty() ? classeur : e.chemin();
    const QString blanc = QStringLiteral(" ");
    const auto raison = [](const QString& r) { return QStringLiteral(" (") + r + u')'; };
    switch (e.cause()) {
    case C::Indisponible:
        return texte_message(78); // no LibreOffice in this build
    case C::Demarrage:
        return texte_message(79) + blanc + e.detail(); // the office could not be started
    case C::Delai:
        return texte_message(85) + blanc + chemin + raison(texte_message(80)); // could not fill it: no answer
    case C::PasClasseur:
        return texte_message(82) + blanc + chemin; // not a spreadsheet workbook
    case C::Chargement:
    case C::Connexion:
        return texte_message(85) + blanc + chemin + raison(e.detail()); // could not open or fill it
    case C::Ecriture:
        return texte_message(83) + blanc + chemin + raison(e.detail()); // could not write the workbook
    case C::SansApplication:
        return texte_message(84) + blanc + chemin; // nothing opens workbooks: where it was written
    case C::Occupe:
        return texte_message(86) + blanc + chemin; // another session is exporting to it
    case C::PasVerrou:
        return texte_message(110) + QLatin1Char('\n') + chemin; // lock file not a lock
    case C::TropGrand:
        return texte_message(108) + QLatin1Char('\n') + chemin + raison(e.detail()); // workbook too large
    case C::Abandon:
        break;
    }
    return e.texte();
}
