#include "_rez/widgets/controles.h"

#include "util_rez/config/setup.h"
#include "util_rez/plot/trace.h"
#include "util_rez/shell/couleurs.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TRadioGroup::TRadioGroup(const QString& titre, const QStringList& elements, QWidget* parent)
    : QGroupBox(titre, parent) {
    for (const QString& e : elements) {
        auto* b = new QRadioButton(e, this);
        const int i = static_cast<int>(boutons_.size());
        connect(b, &QRadioButton::clicked, this, [this, i] { setItemIndex(i); });
        boutons_.append(b);
    }
    place_boutons();
}

void TRadioGroup::setItemIndex(int index) {
    index = borne_index(index, count());
    for (int i = 0; i < count(); ++i) {
        boutons_[i]->setAutoExclusive(false);
        boutons_[i]->setChecked(i == index);
        boutons_[i]->setAutoExclusive(true);
    }
    if (index == index_)
        return;
    index_ = index;
    emit Click();
}

void TRadioGroup::setItem(int index, const QString& texte) {
    if (index >= 0 && index < count())
        boutons_[index]->setText(texte);
}

void TRadioGroup::resizeEvent(QResizeEvent* e) {
    QGroupBox::resizeEvent(e);
    place_boutons();
}

void TRadioGroup::place_boutons() {
    if (boutons_.isEmpty())
        return;
    const int haut = 16;
    const int pas = std::max(16, (height() - haut - 4) / static_cast<int>(boutons_.size()));
    for (int i = 0; i < count(); ++i)
        boutons_[i]->setGeometry(8, haut + i * pas, std::max(10, width() - 12), std::min(pas, 18));
}

TPanel::TPanel(QWidget* parent) : QFrame(parent), couleur_(couleur_face_bouton) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setColor(couleur_face_bouton);
}

void TPanel::setColor(int32_t code) {
    couleur_ = code;
    QPalette p = palette();
    p.setColor(QPalette::Window, couleur_depuis_code(code, QPalette()));
    setPalette(p);
    update();
}

void TPanel::setCaption(const QString& texte) {
    caption_ = texte;
    update();
}

void TPanel::bascule() {
    setVisible(isHidden());
    if (!isHidden()) {
        tient_dans_la_fenetre();
        raise();
    }
}

// A half-screen window is shorter than the form was drawn for: a panel that would reach below
// it moves up, and one taller than it shrinks, so its Close stays in sight.
void TPanel::tient_dans_la_fenetre() {
    if (!parentWidget()) return;
    if (hauteur_conception_ == 0) hauteur_conception_ = height();
    const int dans = parentWidget()->height();
    resize(width(), std::min(hauteur_conception_, dans));
    move(x(), std::clamp(y(), 0, std::max(0, dans - height())));
}

void TPanel::mousePressEvent(QMouseEvent* e) {
    prise_ = e->position().toPoint();
    emit MouseDown(e->button());
    QFrame::mousePressEvent(e);
}

void TPanel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click();
    QFrame::mouseReleaseEvent(e);
}

void TPanel::mouseMoveEvent(QMouseEvent* e) {
    if (deplacable_ && (e->buttons() & Qt::LeftButton) && parentWidget()) {
        const QRect dans = parentWidget()->rect();
        QPoint p = mapToParent(e->position().toPoint() - prise_);
        p.setX(std::clamp(p.x(), 0, std::max(0, dans.width() - 20)));
        p.setY(std::clamp(p.y(), 0, std::max(0, dans.height() - 20)));
        move(p);
    }
    QFrame::mouseMoveEvent(e);
}

void TPanel::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    if (caption_.isEmpty())
        return;
    QPainter p(this);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, caption_);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

void TPanel::setBouton() {
    setFocusPolicy(Qt::TabFocus);
}

void TPanel::keyPressEvent(QKeyEvent* e) {
    const int k = e->key();
    if (focusPolicy() != Qt::NoFocus && (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter))
        emit Click();
    else
        QFrame::keyPressEvent(e);
}

void TPanel::showEvent(QShowEvent* e) {
    QFrame::showEvent(e);
    if (!premier_ || e->spontaneous()) return;
    QWidget* actuel = window()->focusWidget();
    if (!actuel || !isAncestorOf(actuel)) rendu_ = actuel;
    premier_->setFocus(Qt::TabFocusReason);
}

void TPanel::hideEvent(QHideEvent* e) {
    QFrame::hideEvent(e);
    if (!premier_ || e->spontaneous()) return;
    QWidget* actuel = window()->focusWidget();
    if (rendu_ && rendu_->isVisible() && (!actuel || isAncestorOf(actuel) || actuel == window()))
        rendu_->setFocus(Qt::OtherFocusReason);
    rendu_ = nullptr;
}

void TPanel::changeEvent(QEvent* e) {
    // A system colour follows the desktop palette when it changes.
    if (e->type() == QEvent::PaletteChange && (static_cast<uint32_t>(couleur_) & 0x80000000u)) {
        const QColor voulu = couleur_depuis_code(couleur_, QPalette());
        if (palette().color(QPalette::Window) != voulu)
            setColor(couleur_);
    }
    QFrame::changeEvent(e);
}

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::setPicture(const QImage& image) {
    image_ = image;
    update();
}

bool TImage::densite_perimee() const {
    return !image_.isNull() && image_.devicePixelRatio() != densite_image(devicePixelRatioF());
}

void TImage::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter p(this);
    if (etire_)
        p.drawImage(rect(), image_);
    else
        p.drawImage(0, 0, image_);
}
