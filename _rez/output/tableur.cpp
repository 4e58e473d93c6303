#include "_rez/tform1.h"

#include "util_rez/target/lignes_cible.h"
#include "_rez/widgets/lignes_affichees.h"

#include "util_rez/output/ooxml/tableur_excel.h"
#include "util_rez/output/plan_tableur.h"

#include <QDir>
#include <QScopeGuard>
#include <QScopedValueRollback>

void TForm1::SpeedButton7Click() {
    exporte_tableur();
}

void TForm1::exporte_tableur() {
    // The window goes on while the office works, so the button can be pressed again meanwhile.
    if (export_tableur_en_cours_)
        return;
    const QScopedValueRollback<bool> en_cours(export_tableur_en_cours_, true);
    const bool virgule = Edit4->text().contains(u',');
    if (!avec_excel && !uno_disponible()) {
        plateforme_->message(this, Plateforme::Genre::Information,
                             texte_message(78), // no LibreOffice in this build
                             QMessageBox::Ok);
        return;
    }
    QString classeur;
    if (!prepare_classeur(QStringLiteral("/Lintrace_"), classeur))
        return;
    plateforme_->curseur_occupe(true);
    montre_note_tableur(true);
    const auto fin = qScopeGuard([this] {
        montre_note_tableur(false);
        plateforme_->curseur_occupe(false);
    });
    try {
        _connecter_tableur_open_visible(classeur, true);
        const PlanTableur plan = planifie_tableur(donnees_tableur(virgule));
        for (const CelluleTableur& c : plan.cellules)
            ecrit_cellule(c.ligne, c.colonne, c.texte);
        tableur_->ecrit_bloc(PlanTableur::ligne_bloc, 1, plan.bloc);
        tableur_->termine();
    } catch (const ErreurTableur& e) {
        if (e.cause() != ErreurTableur::Cause::Abandon)
            throw ErreurRez(message_tableur(e, classeur));
        return;
    }
    if (nb_enreg > PlanTableur::enreg_max)
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
        if (chemin == modele_tableur_)
            tableur_excel_->ecrit_vers(classeur_de_secours());
        tableur_ = tableur_excel_.get();
    } else {
        if (!tableur_uno_)
            tableur_uno_ = std::make_unique<TableurUno>(limites_uno);
        tableur_ = tableur_uno_.get();
    }
    try {
        tableur_->connecte(visible);
    } catch (const ErreurTableur& e) {
        if (e.cause() != ErreurTableur::Cause::Delai)
            throw;
        throw ErreurTableur(ErreurTableur::Cause::Demarrage, texte_message(80)); // no answer in time
    }
    if (!chemin.isEmpty())
        tableur_->ouvre(chemin);
    return true;
}

void TForm1::ecrit_cellule(int ligne, int colonne, const QString& texte) {
    // A cell that cannot be written is left out; an office that went away ends the export.
    if (tableur_)
        tableur_->ecrit(ligne, colonne, texte);
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

void TForm1::montre_note_tableur(bool visible) {
    if (!note_tableur) {
        note_tableur = new QLabel(this);
        note_tableur->setObjectName(QStringLiteral("note_tableur"));
        note_tableur->setStyleSheet(
            QStringLiteral("QLabel { background: #ffffe1; color: black; border: 1px solid "
                           "#808080; padding: 6px 10px; }"));
    }
    if (!visible) {
        note_tableur->hide();
        return;
    }
    note_tableur->setText(texte_message(81)); // export under way
    note_tableur->adjustSize();
    const QRect trace = ScrollBox1->geometry();
    note_tableur->move(trace.right() - note_tableur->width() - 24, trace.top() + 12);
    note_tableur->raise();
    note_tableur->show();
    note_tableur->repaint(); // the Excel path fills the workbook without giving the event loop a turn
}
