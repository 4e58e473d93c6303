#include "_rez/widgets/image_trace.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr int cran_molette = 120;

bool touche_de_lecture(int touche) {
    return touche == Qt::Key_Left || touche == Qt::Key_Right || touche == Qt::Key_Home ||
           touche == Qt::Key_End || touche == Qt::Key_Escape;
}

} // namespace

ImageTrace::ImageTrace(QWidget* parent) : TImage(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ImageTrace::setMarques(std::optional<int> lecture, std::optional<int> reference, int haut, int bas) {
    if (lecture == lecture_ && reference == reference_ && haut == haut_ && bas == bas_) return;
    for (const auto colonne : {lecture_, reference_, lecture, reference})
        repeint(colonne);
    lecture_ = lecture;
    reference_ = reference;
    haut_ = haut;
    bas_ = bas;
}

// Only the columns under the lines: the picture itself is not drawn again.
void ImageTrace::repeint(std::optional<int> colonne) {
    if (colonne) update(QRect(*colonne - 1, 0, 3, height()));
}

void ImageTrace::paintEvent(QPaintEvent* e) {
    TImage::paintEvent(e);
    if (!marque_visible()) return;
    QPainter p(this);
    if (reference_) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawLine(*reference_, haut_, *reference_, bas_);
    }
    if (lecture_) {
        p.setPen(QPen(Qt::darkGray, 1));
        p.drawLine(*lecture_, haut_, *lecture_, bas_);
    }
}

void ImageTrace::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(e->position().toPoint());
    TImage::mouseMoveEvent(e);
}

void ImageTrace::leaveEvent(QEvent* e) {
    emit MouseLeave();
    TImage::leaveEvent(e);
}

void ImageTrace::mousePressEvent(QMouseEvent* e) {
    emit MouseDown(e->button(), e->position().toPoint());
    TImage::mousePressEvent(e);
}

void ImageTrace::wheelEvent(QWheelEvent* e) {
    // Some desktops turn Shift+wheel into a sideways wheel.
    const QPoint angle = e->angleDelta();
    reste_molette_ += angle.y() != 0 ? angle.y() : angle.x();
    const int crans = reste_molette_ / cran_molette;
    reste_molette_ -= crans * cran_molette;
    e->accept();
    if (crans != 0) emit MouseWheel(crans, e->modifiers() & Qt::ShiftModifier);
}

void ImageTrace::keyPressEvent(QKeyEvent* e) {
    if (!touche_de_lecture(e->key())) return TImage::keyPressEvent(e);
    emit KeyDown(e->key());
}

// Esc closes the panel on top everywhere else; here it first takes back the lines.
bool ImageTrace::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && marque_visible()) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier) {
            e->accept();
            return true;
        }
    }
    return TImage::event(e);
}

EtiquetteLecture::EtiquetteLecture(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setMargin(3);
    setFrameShape(QFrame::Box);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
}

void EtiquetteLecture::setLignes(const QString& texte, const QList<QColor>& couleurs) {
    couleurs_ = couleurs;
    setText(texte);
    const QFontMetrics fm(font());
    int largeur = 0;
    const QStringList lignes = texte.split(u'\n');
    for (const QString& l : lignes)
        largeur = std::max(largeur, fm.horizontalAdvance(l));
    const int bord = 2 * (margin() + frameWidth());
    resize(largeur + bord + 2, int(lignes.size()) * fm.lineSpacing() + bord);
    update();
}

void EtiquetteLecture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics fm(font());
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QStringList lignes = text().split(u'\n');
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        p.setPen(couleurs_.value(i, palette().color(QPalette::WindowText)));
        p.drawText(QRect(r.left(), r.top() + int(i) * fm.lineSpacing(), r.width(), fm.lineSpacing()),
                   Qt::AlignLeft | Qt::AlignVCenter, lignes[i]);
    }
}
