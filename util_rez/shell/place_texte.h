#pragma once
#include <QFont>
#include <QSize>
#include <QString>

// The font at the largest pixel size, from the font's own down to `minimum`, at which the text
// laid out with `drapeaux` (alignment, Qt::TextWordWrap) fits `place`; at `minimum` when none does.
QFont police_ajustee(QFont police, const QString& texte, QSize place, int drapeaux, int minimum = 6);

// How a session name is drawn in its place: at the largest pixel size, from the font's own
// down to `minimum`, at which it fits on one line or, wrapped at its blanks, on two; `coupe`
// when none does, and then it is drawn cut short at `minimum`.
struct NomAjuste {
    QFont police;
    bool deux_lignes = false;
    bool coupe = false;
};
NomAjuste ajuste_nom(QFont police, const QString& nom, QSize place, int minimum);
