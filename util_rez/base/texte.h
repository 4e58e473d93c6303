#pragma once
#include <QChar>
#include <QString>

// Blank means the space character only, here and wherever these helpers are used.
QString coupe_espaces_droite(const QString& texte);
// Never removes the last character: a text of blanks only keeps one blank.
QString coupe_espaces_gauche(const QString& texte);
QString coupe_espaces(const QString& texte);

// The text without its first and last character, whatever they are.
QString enleve_guillemets(const QString& texte);

QString remplace_car(const QString& texte, QChar ancien, QChar nouveau);

// A language-file entry without its label (everything up to and with the first blank),
// or the whole entry when the text numbers are wanted.
QString sans_numero(const QString& entree, bool avec_numero);
