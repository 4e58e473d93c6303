#include "_rez/tform1.h"

#include "util_rez/target/lignes_cible.h"

#include "util_rez/shell/place_texte.h"
#include "util_rez/target/remplit_tableau.h"

void TForm1::remplit_tableau() {
    applique_parse(::remplit_tableau(lignes_chargees(), *tableau));
}

void TForm1::applique_parse(const ResultatParse& r) {
    nb_enreg = r.nb_enreg;
    max_x = r.max_x;
    max_y = r.max_y;
    enreg_ecartes = r.enreg_ecartes;
    if (r.arrete)
        arrete = true;
    if (r.noms_lus) {
        for (int k = 1; k <= 8; ++k) {
            cases_courbes[k]->setText(r.noms[k]);
            QPalette p = cases_courbes[k]->palette();
            p.setColor(QPalette::WindowText, couleurs_courbes[k]);
            cases_courbes[k]->setPalette(p);
        }
    }
    affiche_nb_enreg();
    applique_autoscale();
}

void TForm1::affiche_nb_enreg() {
    QPalette p = Label6->palette();
    QStringList indications;
    Label6->setText(QString::number(nb_enreg));
    if (enreg_ecartes > 0)
        // lines skipped for a run time from 5 to 9, and how to write them; then their count
        indications << texte_message(100) + QLatin1Char(' ') + QString::number(enreg_ecartes);
    Label6->setToolTip(indications.join(QLatin1Char('\n')));
    p.setColor(QPalette::WindowText, indications.isEmpty() ? palette().color(QPalette::WindowText) : Qt::red);
    Label6->setPalette(p);
    // The count keeps to the space left of the curve boxes, on two lines and smaller if need be.
    QFont police = Label6->font();
    police.setPixelSize(21);
    Label6->setFont(
        police_ajustee(police, Label6->text(), Label6->size(), Label6->alignment() | Qt::TextWordWrap));
}
