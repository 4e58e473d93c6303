#pragma once
#include <QFont>
#include <QSize>
#include <QString>

// The font at the largest pixel size, from the font's own down to `minimum`, at which the text
// laid out with `drapeaux` (alignment, Qt::TextWordWrap) fits `place`; at `minimum` when none does.
QFont police_ajustee(QFont police, const QString& texte, QSize place, int drapeaux, int minimum = 6);
