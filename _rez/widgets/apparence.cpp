#include "_rez/widgets/apparence.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

namespace {

// A desktop theme may give these classes palettes of their own, which win over the
// application's palette.
const char* const classes_themees[] = {
    "QToolButton",      "QAbstractButton", "QCheckBox", "QRadioButton", "QHeaderView", "QAbstractItemView",
    "QMessageBoxLabel", "QTabBar",         "QLabel",    "QGroupBox",    "QMenu",       "QMenuBar",
    "QTextEdit",        "QTextControl",    "QLineEdit",
};

// Fusion's light colours, fixed here: the style's own standard palette follows the desktop's
// theme, dark included.
QPalette palette_claire() {
    const QColor fond(239, 239, 239), texte(Qt::black), base(Qt::white);
    const QColor sombre = fond.darker(150), ombre = sombre.darker(135);
    const QColor gris(190, 190, 190), selection(48, 140, 198);
    QPalette p(texte, fond, fond.lighter(150), sombre, fond.darker(130), texte, Qt::white, base, fond);
    p.setColor(QPalette::Midlight, fond.darker(130).lighter(110));
    p.setColor(QPalette::Shadow, ombre);
    p.setColor(QPalette::Highlight, selection);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    p.setColor(QPalette::ToolTipText, texte);
    p.setColor(QPalette::Link, QColor(0, 0, 255));
    p.setColor(QPalette::LinkVisited, QColor(255, 0, 255));
    QColor attente = texte;
    attente.setAlpha(128);
    p.setColor(QPalette::PlaceholderText, attente);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, gris);
    p.setColor(QPalette::Disabled, QPalette::Base, fond);
    p.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    p.setColor(QPalette::Disabled, QPalette::Shadow, ombre.lighter(150));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    // Every role of every group set explicitly, so that no role of a dark palette shows through.
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            if (r == QPalette::NoRole) continue;
            const auto groupe = static_cast<QPalette::ColorGroup>(g);
            const auto role = static_cast<QPalette::ColorRole>(r);
            p.setBrush(groupe, role, p.brush(groupe, role));
        }
    return p;
}

void applique_palettes() {
    const QPalette claire = palette_claire();
    QApplication::setPalette(claire);
    for (const char* classe : classes_themees)
        QApplication::setPalette(claire, classe);
}

// A change of the desktop's theme while the program runs brings its palettes back.
class GardeApparence : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::ThemeChange && !prevue_) {
            prevue_ = true;
            QTimer::singleShot(0, this, [this] {
                prevue_ = false;
                applique_palettes();
            });
        }
        return false;
    }

  private:
    bool prevue_ = false;
};

} // namespace

void applique_apparence_claire() {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
    applique_palettes();
    static GardeApparence* garde = nullptr;
    if (!garde) {
        garde = new GardeApparence(qApp);
        qApp->installEventFilter(garde);
    }
}
