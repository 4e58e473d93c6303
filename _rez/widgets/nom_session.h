#pragma once
#include "util_rez/shell/place_texte.h"

#include <QWidget>

// The session's name in large letters. It keeps the whole name as its text and draws it as
// large as its place allows, up to its font's size, on one or two lines; only a name too long
// even at the smallest size is drawn cut short, with the whole of it in the hint.
class NomSession : public QWidget {
    Q_OBJECT
  public:
    NomSession(QWidget* parent, int minimum);
    QString text() const { return nom_; }
    void setText(const QString& nom);
    void clear() { setText(QString()); }

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void ajuste();
    QString nom_;
    int minimum_;
    NomAjuste ajuste_;
};
