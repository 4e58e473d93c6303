#pragma once
#include <QString>
#include <QStringList>

inline const QString fichier_langue_maitre = QStringLiteral("Lintrace_lng.fr.txt");

// Texts addressed by number. Index 0 is a blank once the master file is loaded; before that
// the table holds one placeholder line only, so every number above 0 reads "ww(n)=?".
class TableLangue {
public:
    TableLangue() : lignes_{QStringLiteral("Memo4")} {}

    QString texte_message(int numero) const;
    // False while the number reads "ww(n)=?".
    bool contient(int numero) const { return numero >= 0 && numero < lignes_.size(); }
    const QStringList& lignes() const { return lignes_; }

    // Master mode replaces the table; overlay mode replaces entries 1.. up to the master's count.
    void charge_maitre(const QStringList& lignes_fichier, bool avec_numero);
    void charge_surcouche(const QStringList& lignes_fichier, bool avec_numero);

private:
    QStringList lignes_;
};

// The entries of a language file: comment and blank lines dropped, labels cut unless wanted.
QStringList entrees_langue(const QStringList& lignes_fichier, bool avec_numero);
