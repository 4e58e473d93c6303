#pragma once
#include <QString>
#include <stdexcept>

// A failed conversion or file operation. Handlers catch it at their entry, show the text in
// the window's error box and end there, the way the original toolkit reported such failures.
class ErreurRez : public std::runtime_error {
public:
    explicit ErreurRez(const QString& texte) : std::runtime_error(texte.toStdString()), texte_(texte) {}
    const QString& texte() const { return texte_; }

private:
    QString texte_;
};
