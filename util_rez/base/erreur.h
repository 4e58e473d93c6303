#pragma once
#include <QString>
#include <QStringList>
#include <stdexcept>

// A failed conversion or file operation. Handlers catch it at their entry, show the text in
// the window's error box and end there, the way the original toolkit reported such failures.
// Window-free code has no language table: it gives the English text, and names what failed
// with its arguments (the offending text, the file), so that the window can word it in the
// user's language.
class ErreurRez : public std::runtime_error {
  public:
    enum class Genre {
        Autre,            // the text is all there is; window code gives it already worded
        EntierInvalide,   // the text
        ReelInvalide,     // the text
        PeriodeInvalide,  // the text
        FichierAbsent,    // the path
        FichierRefuse,    // the path
        FichierIllisible, // the path, the system's reason
        FichierTropGrand, // the path
        MemoireInsuffisante, // the path, its size in bytes
    };
    explicit ErreurRez(const QString& texte) : ErreurRez(Genre::Autre, {}, texte) {}
    ErreurRez(Genre genre, const QStringList& arguments, const QString& texte)
        : std::runtime_error(texte.toStdString()), genre_(genre), arguments_(arguments), texte_(texte) {}
    const QString& texte() const { return texte_; }
    Genre genre() const { return genre_; }
    const QStringList& arguments() const { return arguments_; }

  private:
    Genre genre_;
    QStringList arguments_;
    QString texte_;
};
