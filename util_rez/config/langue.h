#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class Emplacements;

inline const QString fichier_langue_maitre = QStringLiteral("Lintrace_lng.fr.txt");
// Far above any language or help file (100 000 entries take 5 MB): a larger one is refused unread.
constexpr qint64 taille_max_langue = qint64(16) << 20;

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

// The table the window builds: the master file, then the chosen one over it, each the user's
// own copy when there is one. A file that is not there leaves its texts out and is named to
// `absent` at the moment it is missed, so a message about it is worded from the table as it
// stands then. An empty `fichier_langue` loads the master alone.
void charge_table_langue(TableLangue& table, const Emplacements& lieux, const QString& fichier_langue,
                         bool avec_numero, const std::function<void(const QString& chemin)>& absent);

// The comment headings (text 50) of the current language and of every language file, one a
// line: a comment saved under one language is found again under another.
QString marques_commentaire(const Emplacements& lieux, const QString& actuelle);
