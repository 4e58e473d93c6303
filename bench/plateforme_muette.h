#pragma once
#include "_rez/plateforme.h"

#include <cstdio>

// Benches answer no question: a message goes to standard error and counts as Ok; no sound.
class PlateformeMuette : public Plateforme {
  public:
    QMessageBox::StandardButton message(QWidget*, Genre, const QString& texte,
                                        QMessageBox::StandardButtons) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(texte));
        return QMessageBox::Ok;
    }
    void joue_son(const QString&) override {}
    void bip_alerte() override {}
    void bip(int, int) override {}
};
