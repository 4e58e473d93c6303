#include "_rez/apparence.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

void applique_apparence_claire() {
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!fusion) return;
    QPalette claire = fusion->standardPalette();
    // Every role of every group set explicitly, so that no role of a dark desktop palette
    // shows through when the desktop's theme changes while the program runs.
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            if (r == QPalette::NoRole) continue;
            const auto groupe = static_cast<QPalette::ColorGroup>(g);
            const auto role = static_cast<QPalette::ColorRole>(r);
            claire.setBrush(groupe, role, claire.brush(groupe, role));
        }
    QApplication::setStyle(fusion);
    QApplication::setPalette(claire);
}
