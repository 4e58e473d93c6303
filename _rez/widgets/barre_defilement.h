#pragma once
#include <QRect>
#include <QScrollBar>
#include <optional>

// A scroll bar over a growing file takes a new range at every refresh, yet its handle moves by
// a pixel only now and then: it is painted again only when what it shows has changed.
class BarreDefilement : public QScrollBar {
  public:
    explicit BarreDefilement(Qt::Orientation sens, QWidget* parent = nullptr) : QScrollBar(sens, parent) {}

  protected:
    void sliderChange(SliderChange changement) override;
    void paintEvent(QPaintEvent* e) override;

  private:
    struct Apparence {
        QRect poignee;
        bool au_debut, a_la_fin;
        bool operator==(const Apparence&) const = default;
    };
    Apparence apparence() const;

    std::optional<Apparence> peinte_;
};
