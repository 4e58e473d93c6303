#pragma once
#include <QChar>
#include <QString>
#include <QStringView>

// Field n (from 1) of a line whose fields are separated by runs of `sep`; blanks trimmed.
// An empty line after collapsing gives the marker "_extraitUTIL<" line ">".
QString _extrait(const QString& ligne, int n, QChar sep);

// The same field as a view into the line, without copying it; an empty line gives an
// empty view instead of the marker.
QStringView vue_champ(QStringView ligne, int n, QChar sep);

// The fields of a line one after the other, numbered as _extrait numbers them, for a caller
// that wants several fields of a line without rescanning it for each.
class Champs {
  public:
    Champs(QStringView ligne, QChar sep) : ligne_(ligne), sep_(sep) {}
    // The next field, blanks trimmed; empty once past the last one.
    QStringView suivant();

  private:
    QStringView ligne_;
    QChar sep_;
    qsizetype i_ = 0;
};

// Field n as a number (a comma read as a point once), or `defaut` when it is not one.
// A number beyond the range of the table's 64-bit reals is not one either.
long double extrait_reel(const QString& ligne, int n, QChar sep, long double defaut);
long double extrait_reel(QStringView ligne, int n, QChar sep, long double defaut);
// The same for a field already extracted.
long double lit_reel(QStringView champ, long double defaut);
