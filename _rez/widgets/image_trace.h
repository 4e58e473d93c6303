#pragma once
#include "_rez/widgets/controles.h"

#include <QColor>
#include <QLabel>
#include <QList>
#include <optional>

// The plot picture with what is drawn over it and never into it: the readout's line and the
// reference's dashed line. Passes the pointer, the wheel and the reading keys on to the window.
class ImageTrace : public TImage {
    Q_OBJECT
  public:
    explicit ImageTrace(QWidget* parent);
    // Columns of the two lines, drawn from row `haut` to row `bas`; none when empty.
    void setMarques(std::optional<int> lecture, std::optional<int> reference, int haut, int bas);
    bool marque_visible() const { return lecture_ || reference_; }

  signals:
    void MouseMove(QPoint position);
    void MouseLeave();
    void MouseDown(Qt::MouseButton bouton, QPoint position);
    // Whole notches, away from the user positive.
    void MouseWheel(int crans, bool shift);
    void KeyDown(int touche);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;

  private:
    void repeint(std::optional<int> colonne);
    std::optional<int> lecture_, reference_;
    int haut_ = 0, bas_ = 0;
    int reste_molette_ = 0; // fine-grained wheels send parts of a notch
};

// The readout box: its text is the readout as plain text, each line painted in its colour.
class EtiquetteLecture : public QLabel {
    Q_OBJECT
  public:
    explicit EtiquetteLecture(QWidget* parent);
    void setLignes(const QString& texte, const QList<QColor>& couleurs);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    QList<QColor> couleurs_;
};
