#pragma once
#include "util_rez/output/ooxml/classeur_ooxml.h"
#include "util_rez/output/tableur.h"
#include "util_rez/output/verrou_classeur.h"

#include <functional>
#include <memory>

// The "Excel" choice where no Excel runs: the workbook file is filled here, then handed to
// whatever the desktop opens such files with.
class TableurExcel : public Tableur {
  public:
    using Montre = std::function<bool(const QString&)>;
    explicit TableurExcel(Montre montre, int attente_verrou_ms = 30000);

    void connecte(bool) override {}
    void ouvre(const QString& chemin) override;
    bool ecrit(int ligne, int colonne, const ValeurCellule& valeur) override;
    void termine() override;

    // The filled workbook goes there instead of over the file it was read from.
    void ecrit_vers(const QString& chemin) { destination_ = chemin; }
    const QString& destination() const { return destination_; }

  private:
    Montre montre_;
    int attente_verrou_ms_;
    QString destination_;
    std::unique_ptr<VerrouClasseur> verrou_;
    std::unique_ptr<ClasseurOoxml> classeur_;
};
