#include "_rez/widgets/lignes_affichees.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// The box lays out only what it has shown, so each paragraph is laid out here again with the
// box's own font, width and wrap rule.
void ajoute_lignes(const QTextBlock& bloc, const QPlainTextEdit& boite, qreal largeur, QStringList& lignes) {
    const QString texte = bloc.text();
    if (texte.isEmpty() || boite.lineWrapMode() == QPlainTextEdit::NoWrap) {
        lignes.append(texte);
        return;
    }
    QTextLayout mise_en_page(texte, boite.document()->defaultFont());
    mise_en_page.setTextOption(boite.document()->defaultTextOption());
    mise_en_page.beginLayout();
    for (QTextLine l = mise_en_page.createLine(); l.isValid(); l = mise_en_page.createLine()) {
        l.setLineWidth(largeur);
        lignes.append(texte.mid(l.textStart(), l.textLength()));
    }
    mise_en_page.endLayout();
}

} // namespace

QStringList lignes_affichees(const QPlainTextEdit& boite) {
    QStringList lignes;
    const QTextDocument* doc = boite.document();
    const qreal largeur = boite.viewport()->width() - 2 * doc->documentMargin();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const bool dernier_vide = !b.next().isValid() && b.text().isEmpty();
        if (!dernier_vide) ajoute_lignes(b, boite, largeur, lignes);
    }
    return lignes;
}
