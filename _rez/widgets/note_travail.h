#pragma once
#include <QFrame>

class QLabel;
class QPushButton;

// The note shown over the plot while a long output is under way: what it does, how far it has
// got, and, when the work can be stopped, a button (Esc too) that asks it to stop.
class NoteTravail : public QFrame {
    Q_OBJECT
  public:
    explicit NoteTravail(QWidget* parent);
    // `texte_arret` names the button; empty, there is none.
    void montre(const QString& texte, const QString& texte_arret, const QRect& zone);
    void avance(int pour_cent);
    bool arret_demande() const { return arret_demande_; }

  private:
    void place();
    QLabel* texte_;
    QPushButton* arret_;
    QString base_;
    QRect zone_;
    bool arret_demande_ = false;
};
