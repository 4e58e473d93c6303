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

NomAjuste ajuste_nom(QFont police, const QString& nom, QSize place, int minimum) {
    const QRect cadre(QPoint(0, 0), place);
    for (int taille = police.pixelSize(); taille >= minimum; --taille) {
        police.setPixelSize(taille);
        const QFontMetrics m(police);
        if (m.horizontalAdvance(nom) <= place.width() && m.height() <= place.height())
            return {police, false, false};
        const QRect enroule = m.boundingRect(cadre, Qt::TextWordWrap, nom);
        if (cadre.contains(enroule) && enroule.height() <= 2 * m.lineSpacing()) return {police, true, false};
    }
    police.setPixelSize(minimum);
    return {police, false, true};
}
