#include "util_rez/shell/place_texte.h"

#include <QFontMetrics>
#include <QRect>

QFont police_ajustee(QFont police, const QString& texte, QSize place, int drapeaux, int minimum) {
    const QRect cadre(QPoint(0, 0), place);
    for (int taille = police.pixelSize(); taille > minimum; --taille) {
        police.setPixelSize(taille);
        if (cadre.contains(QFontMetrics(police).boundingRect(cadre, drapeaux, texte))) return police;
    }
    police.setPixelSize(minimum);
    return police;
}
