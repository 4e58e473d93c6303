#include "_rez/tform1.h"

#include "util_rez/target/lignes_cible.h"
#include "_rez/widgets/lignes_affichees.h"

#include "util_rez/base/conversions.h"
#include "util_rez/files/fichier_cible.h"
#include "util_rez/plot/page_imprimee.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>

namespace {

// The preview panel goes away however the print path ends, an error included.
struct MasqueApercu {
    TPanel* panneau;
    ~MasqueApercu() { panneau->hide(); }
};

// A text, a blank, two carriage returns and the printer's name.
QString avec_imprimante(const QString& texte, const QString& nom) {
    return texte + QLatin1Char(' ') + QChar(13) + QChar(13) + nom;
}

} // namespace

void TForm1::SpeedButton5Click() {
    trace_graphe(QLatin1Char('P'));
}

void TForm1::imprime_page() {
    Panel4->show();
    Panel4->raise();
    const MasqueApercu masque{Panel4};
    QString nom;
    const std::unique_ptr<QPrinter> imprimante = choisit_imprimante(nom);
    if (!imprimante) return;
    const QSize page = taille_page(imprimante->pageLayout(), resolution_page);
    montre_apercu(page);
    QString question = avec_imprimante(texte_message(28), nom); // question: print on this printer?
    // A long comment or summary makes many pages: said before they are printed.
    const int pages =
        nb_pages_imprimees(page, donnees_trace(),
                           textes_page(chemin_cible, lignes_chargees(), lignes_affichees(*Memo3), Label1->text()));
    if (pages > 1)
        question += QStringLiteral("\n\n") + texte_message(111) + QLatin1Char(' ') + // number of pages
                    QString::number(pages);
    if (plateforme_->message(this, Plateforme::Genre::Confirmation, question,
                             QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    echelles = echelles_affichees();
    imprime_sur(*imprimante, page, nom);
}

std::unique_ptr<QPrinter> TForm1::choisit_imprimante(QString& nom) {
    const QStringList noms = plateforme_->imprimantes();
    if (noms.isEmpty()) {
        plateforme_->message(this, Plateforme::Genre::Information, texte_message(75), // no printer installed
                             QMessageBox::Ok);
        return nullptr;
    }
    const QString defaut = plateforme_->imprimante_par_defaut();
    nom = noms.size() > 1 && noms.contains(defaut) ? defaut : noms.first();
    auto imprimante = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(nom), QPrinter::HighResolution);
    if (noms.size() > 1) {
        const std::optional<QString> choix = plateforme_->choisit_imprimante(this, *imprimante);
        if (!choix) return nullptr;
        nom = *choix;
    }
    imprimante->setResolution(resolution_page);
    imprimante->setFullPage(true);
    const QString fichier = nom_sans_dossier(chemin_cible);
    imprimante->setDocName(fichier.isEmpty() ? QStringLiteral("Lintrace") : fichier);
    return imprimante;
}

void TForm1::montre_apercu(QSize page) {
    const QRect r = rect_apercu(Panel4->width(), page);
    QImage apercu(r.size(), QImage::Format_RGB32);
    apercu.fill(Qt::white);
    preview_Image4->setGeometry(r);
    preview_Image4->setPicture(apercu);
    echelles = echelles_affichees();
    trace_apercu(preview_Image4->Picture(), donnees_trace());
    preview_Image4->update();
}

void TForm1::imprime_sur(QPrinter& imprimante, QSize page, const QString& nom) {
    const QString echec = avec_imprimante(texte_message(76), nom); // the page could not be printed
    // Qt falls back on another printer when the one asked for is gone; the user agreed to this one only.
    if (imprimante.outputFormat() != QPrinter::NativeFormat || imprimante.printerName() != nom)
        throw ErreurRez(echec);
    // A long run's page takes the best part of half a second to draw and hand over.
    plateforme_->curseur_occupe(true);
    const auto fin_curseur = qScopeGuard([this] { plateforme_->curseur_occupe(false); });
    const TextesPage textes = textes_page(chemin_cible, lignes_chargees(), lignes_affichees(*Memo3), Label1->text());
    QPainter p;
    if (!p.begin(&imprimante)) throw ErreurRez(echec);
    try {
        trace_pages(p, imprimante, page, donnees_trace(), textes);
    } catch (...) {
        // Half a page is no page: nothing reaches the printer.
        imprimante.abort();
        p.end();
        throw;
    }
    if (!p.end() || imprimante.printerState() == QPrinter::Error) throw ErreurRez(echec);
}
