#pragma once
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QRadioButton>
#include <QWidget>
#include <cstdint>

// A group of radio buttons addressed by index; changing the index, by the user or by code,
// emits Click once, as the original radio groups did.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& titre, const QStringList& elements, QWidget* parent);
    int ItemIndex() const { return index_; }
    void setItemIndex(int index);
    void setItem(int index, const QString& texte);
    int count() const { return static_cast<int>(boutons_.size()); }

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void place_boutons();
    QList<QRadioButton*> boutons_;
    int index_ = -1;
};

// A panel whose colour is kept as its 32-bit colour code, so a system colour survives a
// round trip through the setup file unchanged.
class TPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent);
    int32_t Color() const { return couleur_; }
    void setColor(int32_t code);
    void setCaption(const QString& texte);
    QString Caption() const { return caption_; }
    // Shows a hidden pop-up panel on top of the others, hides a shown one.
    void bascule();
    // A pop-up panel the user can drag around inside the window.
    void setDeplacable(bool oui) { deplacable_ = oui; }
    // A pop-up panel takes the focus on this control when it shows and gives it back to where
    // it was when it hides.
    void setPremierControle(QWidget* controle) { premier_ = controle; }
    // A panel that is a button: Tab reaches it and Space or Enter presses it.
    void setBouton();

signals:
    void MouseDown(Qt::MouseButton bouton);
    void Click();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void tient_dans_la_fenetre();
    int32_t couleur_;
    int hauteur_conception_ = 0;
    QWidget* premier_ = nullptr;
    QPointer<QWidget> rendu_;
    QString caption_;
    bool deplacable_ = false;
    QPoint prise_;
};

// A picture: shows its image at its top left corner, unscaled unless asked to stretch.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent);
    QImage& Picture() { return image_; }
    const QImage& Picture() const { return image_; }
    void setPicture(const QImage& image);
    void setStretch(bool etire) { etire_ = etire; }
    // The picture was made for a screen of another pixel density than the one it is shown on.
    bool densite_perimee() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage image_;
    bool etire_ = false;
};
