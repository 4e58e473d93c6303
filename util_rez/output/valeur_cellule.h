#pragma once
#include <QString>
#include <optional>

// What an export puts into one cell: a text as it stands, or a number the sheet computes with.
class ValeurCellule {
  public:
    ValeurCellule() = default;
    ValeurCellule(const QString& texte) : texte_(texte) {} // most cells are texts
    explicit ValeurCellule(double nombre) : nombre_(nombre) {}

    bool est_nombre() const { return nombre_.has_value(); }
    double nombre() const { return nombre_.value_or(0); }
    const QString& texte() const { return texte_; }
    // Writing nothing leaves a cell as the workbook holds it.
    bool vide() const { return !nombre_ && texte_.isEmpty(); }
    // The shortest form that reads back as the same double, as a spreadsheet file stores it.
    QString nombre_xml() const;

    bool operator==(const ValeurCellule&) const = default;

  private:
    QString texte_;
    std::optional<double> nombre_;
};
