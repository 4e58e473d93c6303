#include "_rez/widgets/note_travail.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

NoteTravail::NoteTravail(QWidget* parent)
    : QFrame(parent), texte_(new QLabel(this)), arret_(new QPushButton(this)) {
    setObjectName(QStringLiteral("note_travail"));
    arret_->setObjectName(QStringLiteral("arret_travail"));
    setStyleSheet(QStringLiteral("NoteTravail { background: #ffffe1; border: 1px solid #808080; }"
                                 "QLabel { color: black; }"));
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(10, 6, 10, 6);
    l->addWidget(texte_);
    l->addWidget(arret_);
    arret_->setShortcut(Qt::Key_Escape);
    connect(arret_, &QPushButton::clicked, this, [this] {
        arret_demande_ = true;
        arret_->setEnabled(false);
    });
    hide();
}

void NoteTravail::montre(const QString& texte, const QString& texte_arret, const QRect& zone) {
    base_ = texte;
    zone_ = zone;
    arret_demande_ = false;
    texte_->setText(texte);
    arret_->setText(texte_arret);
    arret_->setVisible(!texte_arret.isEmpty());
    arret_->setEnabled(true);
    place();
    raise();
    show();
    // Some outputs keep the event loop waiting until they are done: the note is painted now.
    repaint();
}

void NoteTravail::avance(int pour_cent) {
    texte_->setText(QStringLiteral("%1 %2 %").arg(base_).arg(pour_cent));
    place();
}

void NoteTravail::place() {
    adjustSize();
    move(zone_.right() - width() - 24, zone_.top() + 12);
}
