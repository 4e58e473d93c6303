#pragma once
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

// Field n (from 1) of a line whose fields are separated by runs of `sep`; blanks trimmed.
// An empty line after collapsing gives the marker "_extraitUTIL<" line ">".
QString _extrait(const QString& ligne, int n, QChar sep);

// The same field as a view into the line, without copying it; an empty line gives an
// empty view instead of the marker.
QStringView vue_champ(QStringView ligne, int n, QChar sep);

// A character as a number, whether the line is text or the bytes of an encoding that writes
// ASCII as itself (UTF-8, Latin-1): a byte past ASCII never equals an ASCII character.
inline char16_t code_car(QChar c) {
    return c.unicode();
}
inline char16_t code_car(char c) {
    return static_cast<unsigned char>(c);
}

// The fields of a line one after the other, numbered as _extrait numbers them, for a caller
// that wants several fields of a line without rescanning it for each. The line is text
// (QStringView) or the bytes of a line in UTF-8 or Latin-1 (QByteArrayView), whose fields split
// where the text's do when `sep` is ASCII.
template <typename Vue> class ChampsDe {
  public:
    ChampsDe(Vue ligne, QChar sep) : ligne_(ligne), sep_(sep.unicode()) {}
    // The next field, blanks trimmed; empty once past the last one.
    Vue suivant();

  private:
    Vue ligne_;
    char16_t sep_;
    qsizetype i_ = 0;
};
using Champs = ChampsDe<QStringView>;
using ChampsOctets = ChampsDe<QByteArrayView>;

// Field n as a number (a comma read as a point once), or `defaut` when it is not one.
// A number beyond the range of the table's 64-bit reals is not one either.
long double extrait_reel(const QString& ligne, int n, QChar sep, long double defaut);
long double extrait_reel(QStringView ligne, int n, QChar sep, long double defaut);
// The same for a field already extracted; as bytes, those of a field in UTF-8 or Latin-1.
long double lit_reel(QStringView champ, long double defaut);
long double lit_reel(QByteArrayView champ, long double defaut);
