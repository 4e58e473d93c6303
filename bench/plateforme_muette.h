#pragma once
#include "_rez/plateforme.h"

#include <cstdio>

// Benches answer no question: a message goes to standard error and counts as Ok (or Yes,
// when asked to); no sound.
class PlateformeMuette : public Plateforme {
  public:
    explicit PlateformeMuette(bool oui = false) : oui_(oui) {}
    QMessageBox::StandardButton message(QWidget*, Genre, const QString& texte,
                                        QMessageBox::StandardButtons boutons) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(texte));
        return oui_ && boutons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    void joue_son(const QString&) override {}
    void bip_alerte() override {}
    void bip(int, int) override {}

  private:
    bool oui_;
};
