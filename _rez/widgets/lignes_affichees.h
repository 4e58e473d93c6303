#pragma once
#include <QStringList>

class QPlainTextEdit;

// The lines of a text box as it shows them: a paragraph that the box wraps at its width is
// several lines, and the empty line after a final line break is no line.
QStringList lignes_affichees(const QPlainTextEdit& boite);
