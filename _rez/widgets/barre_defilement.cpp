#include "_rez/widgets/barre_defilement.h"

#include <QStyle>
#include <QStyleOptionSlider>

BarreDefilement::Apparence BarreDefilement::apparence() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect poignee = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    return {poignee, value() == minimum(), value() == maximum()};
}

void BarreDefilement::sliderChange(SliderChange changement) {
    const bool deplacement = changement == SliderRangeChange || changement == SliderValueChange;
    if (deplacement && peinte_ && *peinte_ == apparence()) return;
    QScrollBar::sliderChange(changement);
}

// What was last painted, not what was last asked for: a resize or a style change repaints
// without passing here, and a later change back must not be taken for no change.
void BarreDefilement::paintEvent(QPaintEvent* e) {
    peinte_ = apparence();
    QScrollBar::paintEvent(e);
}
