#pragma once
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/tableau.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The bytes of the file that follow `anciens`; nothing when the file does not begin with
// `anciens` (it was cut, rewritten, edited in place or replaced). Of a long file only the first
// and last 64 KiB of `anciens` are compared: a tick of a run of millions of lines must not
// read it all again, and a writer that rewrites the middle of its file in place, at the same
// length, is not one this program follows. Throws ErreurRez when the file cannot be read.
std::optional<QByteArray> lit_ajout(const QString& chemin, const QByteArray& anciens);

// One load of the target file: its bytes and their encoding, the loaded lines (without the
// unfinished last line nor the comment block), the comment, the parse of the lines into the
// table, and what the next load needs in order to read only the bytes appended since.
class LectureCible {
  public:
    // Everything anew from the whole file's bytes. A run the memory cannot hold throws
    // memoire_insuffisante, here and in ajoute(), with nothing loaded and the table empty.
    // `avance`, when given, is told the share of the lines parsed, in percent, as the parse goes.
    void charge(const QString& chemin, QByteArray octets, const QString& marque, Tableau& tableau,
                const std::function<void(int)>& avance = {});
    // The bytes appended since the last load: every result then is what charge() of all the
    // bytes gives. False, with nothing changed, when only the whole load can tell: a comment
    // heading among the new lines, the file's encoding no longer the same, a block cut last
    // time, or another heading to look for.
    bool ajoute(const QByteArray& ajout, const QString& marque, Tableau& tableau);
    bool suit(const QString& chemin, const QString& marque) const;
    // After a failed read: nothing loaded, and the next load is a whole one.
    void oublie();

    const QByteArray& octets() const { return lignes_.octets(); }
    Codage codage() const { return lignes_.codage(); }
    const LignesCible& lignes() const { return lignes_; }
    bool derniere_retenue() const { return retenue_; }
    const std::optional<QStringList>& commentaire() const { return commentaire_; }
    const ResultatParse& parse() const { return parse_; }
    // The first loaded line the last call may have changed; the lines before it were kept.
    qsizetype premiere_changee() const { return premiere_changee_; }

  private:
    void parse_depuis(qsizetype debut, Tableau& tableau, const std::function<void(int)>& avance = {});
    void charge_octets(const QString& chemin, QByteArray octets, const QString& marque, Tableau& tableau,
                       const std::function<void(int)>& avance);
    bool ajoute_octets(const QByteArray& ajout, const QString& marque, Tableau& tableau);

    QString chemin_;
    LignesCible lignes_;
    bool retenue_ = false;
    std::optional<QStringList> commentaire_;
    ResultatParse parse_;
    qsizetype premiere_changee_ = 0;
    // What a resumed load starts from: the file's last line is read again with what follows,
    // since it may have been unfinished, or end in a CR whose LF had not come yet.
    bool reprise_ = false;
    QString marque_;
    qsizetype nb_lignes_ = 0;       // the file's lines, an unfinished last one included
    qsizetype debut_derniere_ = 0;  // where the last of them begins in the bytes
    bool prefixe_utf8_ = true;      // the bytes before it are UTF-8
    ResultatParse avant_derniere_;  // the parse of the lines before it
};
