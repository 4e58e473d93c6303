#include "util_rez/base/texte.h"

namespace {
constexpr QChar blanc(u' ');
}

QString coupe_espaces_droite(const QString& texte) {
    qsizetype fin = texte.size();
    while (fin > 0 && texte[fin - 1] == blanc)
        --fin;
    return texte.left(fin);
}

QString coupe_espaces_gauche(const QString& texte) {
    qsizetype debut = 0;
    while (debut < texte.size() - 1 && texte[debut] == blanc)
        ++debut;
    return texte.mid(debut);
}

QString coupe_espaces(const QString& texte) {
    return coupe_espaces_droite(coupe_espaces_gauche(texte));
}

QString enleve_guillemets(const QString& texte) {
    if (texte.size() < 2)
        return {};
    return texte.mid(1, texte.size() - 2);
}

QString remplace_car(const QString& texte, QChar ancien, QChar nouveau) {
    QString r = texte;
    r.replace(ancien, nouveau);
    return r;
}

QString sans_numero(const QString& entree, bool avec_numero) {
    if (avec_numero)
        return entree;
    const qsizetype i = entree.indexOf(blanc);
    return i < 0 ? QString() : entree.mid(i + 1);
}
