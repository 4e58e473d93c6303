#pragma once
#include "util_rez/output/tableur.h"

#include <functional>
#include <memory>

// True when this build can drive LibreOffice Calc.
bool uno_disponible();

// LibreOffice Calc through its UNO interface. Every call into the office runs off the calling
// thread under a time limit: an office that cannot start would otherwise hang its caller for
// good. The connection is kept from one export to the next and made again once it is gone.
class TableurUno : public Tableur {
  public:
    struct Limites {
        int demarrage_ms = 60000; // reaching or starting the office
        int appel_ms = 30000;     // any later call, the loading of a workbook included
    };
    TableurUno();
    explicit TableurUno(Limites limites);
    ~TableurUno() override;

    void connecte(bool visible) override;
    void ouvre(const QString& chemin) override;
    bool ecrit(int ligne, int colonne, const ValeurCellule& valeur) override;
    void ecrit_bloc(int ligne, int colonne, const QList<QList<ValeurCellule>>& rangs) override;

    // Stores the open document as an OpenDocument spreadsheet; the document stays open.
    void enregistre_copie(const QString& chemin);
    void ferme_document();
    void arrete_office();

    struct Etat;

  private:
    void execute(const std::function<void(Etat&)>& travail, int limite_ms);
    std::shared_ptr<Etat> etat_;
    Limites limites_;
};
