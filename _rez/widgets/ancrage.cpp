#include "_rez/widgets/ancrage.h"

#include <QWidget>
#include <algorithm>

void Ancrage::ajoute(QWidget* controle, int bords) {
    entrees_.append({controle, controle->geometry(), bords});
}

void Ancrage::applique(QSize client) const {
    const int dx = client.width() - conception_.width();
    const int dy = client.height() - conception_.height();
    for (const Entree& e : entrees_) {
        QRect r = e.origine;
        if (e.bords & Etire_largeur)
            r.setWidth(std::max(0, r.width() + dx));
        else if (e.bords & Droite)
            r.moveLeft(r.left() + dx);
        if (e.bords & Etire_hauteur)
            r.setHeight(std::max(0, r.height() + dy));
        else if (e.bords & Bas)
            r.moveTop(r.top() + dy);
        if (e.controle->geometry() != r)
            e.controle->setGeometry(r);
    }
}
