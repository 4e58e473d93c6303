#pragma once
#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

// Keeps controls at their distance to the right and/or bottom edge of the window, or
// stretches them, as the window's client area changes from its design size.
class Ancrage {
public:
    enum Bord { Droite = 1, Bas = 2, Etire_largeur = 4, Etire_hauteur = 8 };
    explicit Ancrage(QSize taille_conception) : conception_(taille_conception) {}
    void ajoute(QWidget* controle, int bords);
    void applique(QSize client) const;

private:
    struct Entree {
        QWidget* controle;
        QRect origine;
        int bords;
    };
    QSize conception_;
    QList<Entree> entrees_;
};
