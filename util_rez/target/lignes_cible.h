#pragma once
#include "util_rez/base/grandes_pages.h"
#include "util_rez/files/fichier_texte.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <iterator>
#include <optional>
#include <vector>

// The target file's lines as places in its bytes: the bytes once, where each line begins, and
// a line decoded only when it is asked for. A run of millions of lines costs its bytes and
// eight more per line, not a string per line. Lines split at CR LF, LF or CR as decoupe_octets
// splits them, and decode as it decodes them.
class LignesCible {
  public:
    LignesCible() = default;
    // Every line of `octets`; `debut_fichier`: they begin the file, whose UTF-8 byte-order mark
    // is no text.
    LignesCible(QByteArray octets, Codage codage, bool debut_fichier = true);
    // The lines of a short list, UTF-8, as a file that holds them would give them.
    LignesCible(const QStringList& lignes); // NOLINT(google-explicit-constructor)

    // More bytes of the file: its last line is split again with them.
    void ajoute(QByteArrayView ajout);
    // The lines shown are the first n of the file's (an unfinished last line, a comment block
    // left out).
    void limite(qsizetype n);

    qsizetype size() const { return nb_; }
    bool isEmpty() const { return nb_ == 0; }
    // Every line the bytes hold, whatever limite() left.
    qsizetype nb_lignes_fichier() const { return qsizetype(debuts_.size()); }
    // The bytes of line i (< nb_lignes_fichier()), without its line break.
    QByteArrayView octets_ligne(qsizetype i) const;
    qsizetype debut_ligne(qsizetype i) const { return debuts_[size_t(i)]; }
    QString operator[](qsizetype i) const;
    QString value(qsizetype i) const { return i >= 0 && i < nb_ ? (*this)[i] : QString(); }
    QString constLast() const { return (*this)[nb_ - 1]; }
    // Line i into `tampon`, whose room is used again: no allocation for most lines.
    void decode_dans(qsizetype i, QString& tampon) const;
    QStringList mid(qsizetype debut, qsizetype n = -1) const;

    const QByteArray& octets() const { return octets_; }
    Codage codage() const { return codage_; }
    // The bytes ended with a line break.
    bool fin_de_ligne_finale() const;

    class const_iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;
        const_iterator(const LignesCible* l, qsizetype i) : l_(l), i_(i) {}
        QString operator*() const { return (*l_)[i_]; }
        const_iterator& operator++() { ++i_; return *this; }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }

      private:
        const LignesCible* l_;
        qsizetype i_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, nb_}; }

  private:
    void indexe_depuis(qsizetype debut);

    QByteArray octets_;
    Codage codage_ = Codage::Utf8;
    VecteurGrand<qsizetype> debuts_;
    qsizetype nb_ = 0;
    bool debut_fichier_ = true;
};

// Each line's bytes followed by CR LF: what writing the lines anew gives.
QByteArray octets_crlf(const LignesCible& lignes);

// The last line is a record its writer is still on: quoted, without its closing quote nor its
// line break yet.
bool derniere_inachevee(const LignesCible& lignes);
// Leaves out the comment block (the empty line before the heading, the heading and every line
// after it) and gives the lines after the heading; nothing without a block.
std::optional<QStringList> coupe_commentaire(LignesCible& lignes, const QString& marque);

// Line `ligne` is the comment heading: one of the `marques` (encoded as the file is, by
// marques_codees) with blanks around it. The same answer as est_marque on the decoded line.
bool est_marque_octets(QByteArrayView ligne, const QList<QByteArray>& marques);
QList<QByteArray> marques_codees(const QString& marque, Codage codage);
// The first heading from line `depuis` on, never before the third line; -1 when there is none.
qsizetype cherche_marque(const LignesCible& lignes, qsizetype depuis, const QString& marque);
