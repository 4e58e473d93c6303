#include "_rez/widgets/vue_lignes.h"

#include "_rez/widgets/barre_defilement.h"

#include "util_rez/target/lignes_cible.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// What QPlainTextEdit keeps around its text.
constexpr int marge = 4;
constexpr int pas_horizontal = 20;

// The characters at which a text document's words end, besides blanks.
bool separe_les_mots(QChar c) {
    return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(c);
}

// The word a double click selects in a text document: back to the start of the word the
// position is in, then on to its end, a run of separators counting as a word.
std::pair<qsizetype, qsizetype> mot_autour(const QTextLayout& mise_en_page, const QString& texte, qsizetype pos) {
    const qsizetype n = texte.size();
    qsizetype debut = pos;
    const bool au_bout = pos > 0 && pos == n && (texte[pos - 1].isSpace() || separe_les_mots(texte[pos - 1]));
    if (pos > 0 && !au_bout)
        debut = mise_en_page.previousCursorPosition(int(pos < n ? pos + 1 : pos), QTextLayout::SkipWords);
    const bool separateurs = debut < n && separe_les_mots(texte[debut]);
    qsizetype fin = debut;
    while (fin < n && (separateurs ? separe_les_mots(texte[fin])
                                   : !texte[fin].isSpace() && !separe_les_mots(texte[fin])))
        ++fin;
    return {debut, fin};
}

} // namespace

VueLignes::VueLignes(const LignesCible* lignes, QWidget* parent)
    : QAbstractScrollArea(parent), lignes_(lignes) {
    setVerticalScrollBar(new BarreDefilement(Qt::Vertical, this));
    setHorizontalScrollBar(new BarreDefilement(Qt::Horizontal, this));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    option_.setWrapMode(QTextOption::NoWrap);
    option_.setTabStopDistance(80);
    horizontalScrollBar()->setSingleStep(pas_horizontal);
    verticalScrollBar()->setSingleStep(1);
    mesure_police();
}

// The line height QPlainTextEdit's layout gives this font, and the advance of each character
// for the widths that size the horizontal scroll bar.
void VueLignes::mesure_police() {
    QTextLayout essai(QStringLiteral("X"), font());
    essai.setTextOption(option_);
    essai.beginLayout();
    QTextLine l = essai.createLine();
    l.setLeadingIncluded(true);
    essai.endLayout();
    hauteur_ligne_ = std::max(1, int(l.height()));
    const QFontMetricsF fm(font());
    for (int c = 0; c < 256; ++c)
        avances_[c] = qRound(fm.horizontalAdvance(QChar(c)) * 64);
    avance_max_ = *std::max_element(avances_.begin(), avances_.end());
    autres_avances_.clear();
    largeur_max_ = 0;
    for (qsizetype i = 0; i < lignes_->size(); ++i)
        largeur_max_ = std::max(largeur_max_, largeur_ligne(i));
}

// The sum of the advances, a tab reaching the next tab stop: what the layout gives but for
// kerning, which seldom matters for the scroll range and would cost a layout of every line.
int VueLignes::largeur(const QString& ligne) {
    const qint64 tabulation = qRound(option_.tabStopDistance() * 64);
    qint64 somme = 0;
    for (const QChar c : ligne) {
        const char16_t u = c.unicode();
        if (u == u'\t') {
            somme = (somme / tabulation + 1) * tabulation;
        } else {
            somme += avance(c);
        }
    }
    return int(std::min<qint64>((somme + 63) / 64, 1 << 24));
}

int VueLignes::avance(QChar c) {
    const char16_t u = c.unicode();
    if (u < 256) return avances_[u];
    auto a = autres_avances_.constFind(u);
    if (a == autres_avances_.cend())
        a = autres_avances_.insert(u, qRound(QFontMetricsF(font()).horizontalAdvance(c) * 64));
    return *a;
}

// Read from the bytes where they are the characters (ASCII, Latin-1): a file of millions of
// lines is measured without decoding it.
int VueLignes::largeur_ligne(qsizetype i) {
    const QByteArrayView o = lignes_->octets_ligne(i);
    // No character of a line is wider than its bytes at the widest Latin-1 advance (a UTF-8
    // character takes a byte per half-em at least): a line too short to be the widest is not
    // measured.
    if (o.size() * avance_max_ <= qint64(largeur_max_) * 64 && !o.contains('\t')) return 0;
    const bool utf8 = lignes_->codage() == Codage::Utf8;
    const qint64 tabulation = qRound(option_.tabStopDistance() * 64);
    qint64 somme = 0;
    for (const char c : o) {
        const auto u = static_cast<unsigned char>(c);
        if (utf8 && u >= 0x80) return largeur((*lignes_)[i]);
        somme = u == '\t' ? (somme / tabulation + 1) * tabulation : somme + avances_[u];
    }
    return int(std::min<qint64>((somme + 63) / 64, 1 << 24));
}

void VueLignes::lignes_changees(qsizetype premiere) {
    QScrollBar* v = verticalScrollBar();
    const bool suit_la_fin = premiere > 0 && v->maximum() > 0 && v->value() == v->maximum();
    if (premiere <= 0) {
        largeur_max_ = 0;
        selectionne_ = false;
    }
    for (qsizetype i = std::max<qsizetype>(premiere, 0); i < lignes_->size(); ++i)
        largeur_max_ = std::max(largeur_max_, largeur_ligne(i));
    garde_dans_le_texte(ancre_);
    garde_dans_le_texte(curseur_);
    ajuste_barres();
    if (premiere <= 0) {
        v->setValue(0);
        horizontalScrollBar()->setValue(0);
    } else if (suit_la_fin) {
        v->setValue(v->maximum());
    }
    // Lines added below the part in sight change nothing there but the scroll bar.
    const int haut = haut_ligne(std::max<qsizetype>(premiere, 0));
    if (haut < viewport()->height()) viewport()->update(0, std::max(0, haut), viewport()->width(), viewport()->height());
}

// As QPlainTextEdit counts them: whole lines that fit below the top margin, the last page
// ending on the last line.
void VueLignes::ajuste_barres() {
    const qsizetype n = std::max<qsizetype>(lignes_->size(), 1); // an empty document still has its line
    const qsizetype visibles =
        std::min<qsizetype>(n, std::max(0, (viewport()->height() - marge - 1) / hauteur_ligne_));
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    // A new range makes the scroll area lay its bars out again, later, which raises one over the
    // other and repaints both: at every refresh of a growing file. Bars always shown need no
    // layout, so they take their ranges silently and the view follows a value cut by the range.
    const bool fixes =
        verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn && horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    const QPoint avant(h->value(), v->value());
    {
        const QSignalBlocker silence_v(fixes ? v : nullptr);
        const QSignalBlocker silence_h(fixes ? h : nullptr);
        v->setRange(0, int(std::min<qsizetype>(n - visibles, INT_MAX)));
        h->setRange(0, std::max(0, largeur_max_ + 2 * marge - viewport()->width()));
    }
    if (QPoint(h->value(), v->value()) != avant) scrollContentsBy(avant.x() - h->value(), avant.y() - v->value());
    v->setPageStep(int(visibles));
    h->setPageStep(viewport()->width());
}

int VueLignes::haut_ligne(qsizetype ligne) const {
    const int premiere = verticalScrollBar()->value();
    return (premiere == 0 ? marge : 0) + int(ligne - premiere) * hauteur_ligne_;
}

int VueLignes::gauche_texte() const {
    return marge - horizontalScrollBar()->value();
}

void VueLignes::prepare(QTextLayout& mise_en_page) const {
    mise_en_page.setFont(font());
    mise_en_page.setTextOption(option_);
    mise_en_page.beginLayout();
    QTextLine l = mise_en_page.createLine();
    if (l.isValid()) {
        l.setLeadingIncluded(true);
        l.setPosition(QPointF(0, 0));
    }
    mise_en_page.endLayout();
}

void VueLignes::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    const QRect zone = e->rect();
    const int premiere = verticalScrollBar()->value();
    const QPalette::ColorGroup groupe = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat choisi;
    choisi.setBackground(palette().brush(groupe, QPalette::Highlight));
    choisi.setForeground(palette().brush(groupe, QPalette::HighlightedText));
    const Position debut = std::min(ancre_, curseur_);
    const Position fin = std::max(ancre_, curseur_);
    p.setPen(palette().color(QPalette::Text));
    for (qsizetype i = premiere; i < lignes_->size(); ++i) {
        const int haut = haut_ligne(i);
        if (haut >= zone.bottom() + 1) break;
        if (haut + hauteur_ligne_ <= zone.top()) continue;
        const QString& texte = (*lignes_)[i];
        QTextLayout mise_en_page(texte);
        prepare(mise_en_page);
        QList<QTextLayout::FormatRange> choix;
        if (selectionne_ && debut != fin && debut.ligne <= i && i <= fin.ligne) {
            // The line break counts as one character of the selection, as in a text document.
            const qsizetype a = i == debut.ligne ? debut.colonne : 0;
            const qsizetype b = i == fin.ligne ? fin.colonne : texte.size() + 1;
            if (b > a) choix.append({int(a), int(b - a), choisi});
        }
        mise_en_page.draw(&p, QPointF(gauche_texte(), haut), choix, zone);
    }
}

void VueLignes::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    ajuste_barres();
}

void VueLignes::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        mesure_police();
        ajuste_barres();
        viewport()->update();
    }
}

void VueLignes::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
}

void VueLignes::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
}

void VueLignes::scrollContentsBy(int, int) {
    viewport()->update();
}

VueLignes::Position VueLignes::position_en(QPoint point) const {
    if (lignes_->isEmpty()) return {};
    const int premiere = verticalScrollBar()->value();
    const int decale = point.y() - haut_ligne(premiere);
    const qsizetype ligne = std::clamp<qsizetype>(
        premiere + (decale < 0 ? -1 - (-decale - 1) / hauteur_ligne_ : decale / hauteur_ligne_), 0,
        lignes_->size() - 1);
    QTextLayout mise_en_page((*lignes_)[ligne]);
    prepare(mise_en_page);
    const int colonne = mise_en_page.lineAt(0).xToCursor(point.x() - gauche_texte());
    return {ligne, colonne};
}

void VueLignes::garde_dans_le_texte(Position& p) const {
    if (lignes_->isEmpty()) {
        p = {};
        return;
    }
    p.ligne = std::clamp<qsizetype>(p.ligne, 0, lignes_->size() - 1);
    p.colonne = std::clamp<qsizetype>(p.colonne, 0, (*lignes_)[p.ligne].size());
}

QString VueLignes::toPlainText() const {
    return lignes_->mid(0).join(QLatin1Char('\n'));
}

QString VueLignes::texte_selectionne() const {
    if (!selectionne_ || lignes_->isEmpty()) return {};
    const Position debut = std::min(ancre_, curseur_);
    const Position fin = std::max(ancre_, curseur_);
    if (debut.ligne == fin.ligne)
        return (*lignes_)[debut.ligne].mid(debut.colonne, fin.colonne - debut.colonne);
    QString texte = (*lignes_)[debut.ligne].mid(debut.colonne);
    for (qsizetype i = debut.ligne + 1; i < fin.ligne; ++i)
        texte += QLatin1Char('\n') + (*lignes_)[i];
    return texte + QLatin1Char('\n') + (*lignes_)[fin.ligne].left(fin.colonne);
}

void VueLignes::selectAll() {
    if (lignes_->isEmpty()) return;
    ancre_ = {};
    curseur_ = {lignes_->size() - 1, lignes_->constLast().size()};
    selectionne_ = true;
    viewport()->update();
}

void VueLignes::copy() const {
    const QString texte = texte_selectionne();
    if (!texte.isEmpty()) QGuiApplication::clipboard()->setText(texte);
}

void VueLignes::copie_dans_selection_x11() const {
    QClipboard* presse_papier = QGuiApplication::clipboard();
    const QString texte = texte_selectionne();
    if (presse_papier->supportsSelection() && !texte.isEmpty())
        presse_papier->setText(texte, QClipboard::Selection);
}

void VueLignes::keyPressEvent(QKeyEvent* e) {
    QScrollBar* v = verticalScrollBar();
    if (e == QKeySequence::Copy || (e->key() == Qt::Key_Insert && e->modifiers() == Qt::ControlModifier))
        copy();
    else if (e == QKeySequence::SelectAll)
        selectAll();
    else if (e == QKeySequence::MoveToStartOfDocument)
        v->setValue(0);
    else if (e == QKeySequence::MoveToEndOfDocument)
        v->setValue(v->maximum());
    else if (e->key() == Qt::Key_Home)
        horizontalScrollBar()->setValue(0);
    else if (e->key() == Qt::Key_End)
        horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
    else {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    e->accept();
}

void VueLignes::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    const Position p = position_en(e->position().toPoint());
    if (!(e->modifiers() & Qt::ShiftModifier) || !selectionne_) ancre_ = p;
    curseur_ = p;
    selectionne_ = true;
    glisse_ = true;
    viewport()->update();
}

void VueLignes::etend_selection(QPoint point) {
    dernier_point_ = point;
    curseur_ = position_en(point);
    viewport()->update();
}

// Dragging past an edge keeps scrolling the way the pointer went, as text boxes do.
void VueLignes::mouseMoveEvent(QMouseEvent* e) {
    if (!glisse_) return;
    const QPoint point = e->position().toPoint();
    if (viewport()->rect().contains(point))
        defilement_.stop();
    else if (!defilement_.isActive())
        defilement_.start(50, this);
    etend_selection(point);
}

void VueLignes::timerEvent(QTimerEvent* e) {
    if (e->timerId() != defilement_.timerId()) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    const QRect r = viewport()->rect();
    if (dernier_point_.y() < r.top())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (dernier_point_.y() > r.bottom())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (dernier_point_.x() < r.left())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (dernier_point_.x() > r.right())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    etend_selection(dernier_point_);
}

void VueLignes::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !glisse_) {
        QAbstractScrollArea::mouseReleaseEvent(e);
        return;
    }
    glisse_ = false;
    defilement_.stop();
    copie_dans_selection_x11();
}

void VueLignes::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || lignes_->isEmpty()) return;
    const Position p = position_en(e->position().toPoint());
    const QString& texte = (*lignes_)[p.ligne];
    if (texte.isEmpty()) return;
    QTextLayout mise_en_page(texte);
    prepare(mise_en_page);
    const auto [debut, fin] = mot_autour(mise_en_page, texte, p.colonne);
    ancre_ = {p.ligne, debut};
    curseur_ = {p.ligne, fin};
    selectionne_ = true;
    viewport()->update();
    copie_dans_selection_x11();
}

void VueLignes::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    QAction* copier = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"),
                                     QKeySequence(QKeySequence::Copy), this, &VueLignes::copy);
    copier->setEnabled(!texte_selectionne().isEmpty());
    menu.addSeparator();
    QAction* tout = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"),
                                   QKeySequence(QKeySequence::SelectAll), this, &VueLignes::selectAll);
    tout->setEnabled(!lignes_->isEmpty());
    menu.exec(e->globalPos());
}
