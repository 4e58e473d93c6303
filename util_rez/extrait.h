#pragma once
#include <QChar>
#include <QString>

// Field n (from 1) of a line whose fields are separated by runs of `sep`; blanks trimmed.
// An empty line after collapsing gives the marker "_extraitUTIL<" line ">".
QString _extrait(const QString& ligne, int n, QChar sep);

// Field n as a number (a comma read as a point once), or `defaut` when it is not one.
long double extrait_reel(const QString& ligne, int n, QChar sep, long double defaut);
