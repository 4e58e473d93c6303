#include "_rez/tform1.h"

#include "util_rez/trace.h"

#include <QLocale>

QChar TForm1::separateur_decimal() const {
    const QString s = QLocale().decimalPoint();
    return s.isEmpty() ? QLatin1Char('.') : s.front();
}

std::array<bool, 9> TForm1::coches_courbes() const {
    std::array<bool, 9> coches{};
    for (int k = 1; k <= 8; ++k)
        coches[k] = cases_courbes[k] && cases_courbes[k]->isChecked();
    return coches;
}

DonneesTrace TForm1::donnees_trace() const {
    DonneesTrace d;
    d.echelles = echelles;
    d.tableau = tableau.get();
    d.nb_enreg = nb_enreg;
    d.coches = coches_courbes();
    d.couleurs = couleurs_courbes;
    d.texte_epaisseur = Edit3->text();
    d.separateur = separateur_decimal();
    d.note_echelle_invalide = texte_message(68); // note: full scale not above 0
    return d;
}

void TForm1::trace_graphe(QChar mode) {
    if (mode == QLatin1Char('P')) {
        imprime_page();
        return;
    }
    if (mode != QLatin1Char('E'))
        return;
    echelles = lit_echelles(Edit1->text(), Edit2->text(), separateur_decimal());
    const DonneesTrace d = donnees_trace();
    struct MiseAJour {
        TImage* image;
        ~MiseAJour() { image->update(); }
    } mise_a_jour{Image1};
    trace_ecran(Image1->Picture(), d.echelles, *tableau, d.nb_enreg, d.coches, d.couleurs, d.texte_epaisseur,
                chemin_cible, d.separateur, d.note_echelle_invalide);
}

void TForm1::ScrollBox1Resize() {
    const int l = std::max(1, ScrollBox1->width() - 10);
    const int h = std::max(1, ScrollBox1->height() - 10);
    QImage image(l, h, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    Image1->setPicture(image);
    Image1->resize(l, h);
    trace_graphe(QLatin1Char('E'));
}
