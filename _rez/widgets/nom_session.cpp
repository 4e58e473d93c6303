#include "_rez/widgets/nom_session.h"

#include <QEvent>
#include <QPainter>

NomSession::NomSession(QWidget* parent, int minimum) : QWidget(parent), minimum_(minimum) {}

void NomSession::setText(const QString& nom) {
    nom_ = nom;
    ajuste();
}

void NomSession::ajuste() {
    ajuste_ = ajuste_nom(font(), nom_, size(), minimum_);
    setToolTip(ajuste_.coupe ? nom_ : QString());
    update();
}

void NomSession::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(ajuste_.police);
    p.setPen(palette().color(foregroundRole()));
    const int alignement = Qt::AlignLeft | Qt::AlignVCenter;
    if (ajuste_.coupe)
        p.drawText(rect(), alignement,
                   QFontMetrics(ajuste_.police).elidedText(nom_, Qt::ElideRight, width()));
    else
        p.drawText(rect(), alignement | (ajuste_.deux_lignes ? Qt::TextWordWrap : 0), nom_);
}

void NomSession::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ajuste();
}

void NomSession::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange) ajuste();
    QWidget::changeEvent(e);
}
