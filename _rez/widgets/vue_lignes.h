#pragma once
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QHash>
#include <QStringList>
#include <QTextOption>
#include <array>
#include <compare>

class LignesCible;
class QTextLayout;

// A read-only text box over lines kept elsewhere that lays out only the lines in sight, so a
// file of half a million lines shows at once and its text is never copied. It looks and
// scrolls like a read-only QPlainTextEdit that does not wrap; the mouse selects, the keyboard
// and the context menu copy.
class VueLignes : public QAbstractScrollArea {
    Q_OBJECT
  public:
    VueLignes(const LignesCible* lignes, QWidget* parent);

    // The lines from `premiere` on were replaced, added or removed; those before are unchanged,
    // and so are the place the reader scrolled to and the selection. 0 starts over at the top.
    void lignes_changees(qsizetype premiere);
    QString toPlainText() const;
    QString texte_selectionne() const;
    void selectAll();
    void copy() const;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct Position {
        qsizetype ligne = 0;
        qsizetype colonne = 0;
        auto operator<=>(const Position&) const = default;
    };

    void mesure_police();
    int largeur(const QString& ligne);
    int largeur_ligne(qsizetype i);
    int avance(QChar c);
    void ajuste_barres();
    int haut_ligne(qsizetype ligne) const;
    int gauche_texte() const;
    void prepare(QTextLayout& mise_en_page) const;
    Position position_en(QPoint point) const;
    void etend_selection(QPoint point);
    void garde_dans_le_texte(Position& p) const;
    void copie_dans_selection_x11() const;

    const LignesCible* lignes_;
    QTextOption option_;
    int hauteur_ligne_ = 1;
    int largeur_max_ = 0;            // the widest line as measured, in pixels
    std::array<int, 256> avances_{}; // in 1/64 pixel
    qint64 avance_max_ = 0;
    QHash<char16_t, int> autres_avances_;
    Position ancre_;
    Position curseur_;
    bool selectionne_ = false;
    bool glisse_ = false;
    QPoint dernier_point_;
    QBasicTimer defilement_;
};
