#include "util_rez/target/lecture_enreg.h"

#include "util_rez/base/extrait.h"

#include <algorithm>

namespace {

struct Valeur {
    QString texte;
    int decimales = 0;
    QChar marque = u'.';
};

int decimales(const QString& texte) {
    const qsizetype marque = std::max(texte.indexOf(u'.'), texte.indexOf(u','));
    if (marque < 0) return 0;
    int n = 0;
    while (marque + 1 + n < texte.size() && texte[marque + 1 + n].isDigit())
        ++n;
    return n;
}

QChar marque(const QString& texte) {
    return texte.contains(u',') ? u',' : u'.';
}

// Written the way the line writes its numbers; a rounded -0 loses its sign.
QString ecrit(double v, int nb_decimales, QChar m) {
    QString t = QString::number(v, 'f', nb_decimales);
    if (t.startsWith(u'-') &&
        !std::any_of(t.begin(), t.end(), [](QChar c) { return c >= u'1' && c <= u'9'; }))
        t.remove(0, 1);
    return t.replace(u'.', m);
}

// The two differences come from field 7 less field 5 and field 7 less field 3.
Valeur valeur(const EnregLu& e, int colonne) {
    if (colonne <= 7) {
        const QString& t = e.champs[colonne];
        return {t, decimales(t), marque(t)};
    }
    const QString& a = e.champs[7];
    const QString& b = e.champs[colonne == 8 ? 5 : 3];
    const int d = std::max(decimales(a), decimales(b));
    const QChar m = marque(a + b);
    return {ecrit(e.valeurs[colonne], d, m), d, m};
}

} // namespace

EnregLu enreg_lu(const QString& ligne, const Tableau& t, int k) {
    EnregLu e;
    Champs champs(QStringView(ligne).mid(1, ligne.size() - 2), u' ');
    for (int c = 1; c <= 7; ++c)
        e.champs[c] = champs.suivant().toString();
    for (int c = 1; c <= nb_colonnes; ++c)
        e.valeurs[c] = t(c, k);
    return e;
}

QList<LigneLecture> lecture_enreg(const EnregLu& e, const EnregLu* reference,
                                  const std::array<bool, 9>& coches, const std::array<QString, 9>& noms) {
    QList<LigneLecture> lignes;
    for (int k = 0; k <= 8; ++k) {
        if (k > 0 && !coches[k]) continue;
        const Valeur v = valeur(e, k + 1);
        QString texte = noms[k] + QStringLiteral(": ") + v.texte;
        if (reference != nullptr) {
            const int d = std::max(v.decimales, valeur(*reference, k + 1).decimales);
            texte += QStringLiteral("   \u0394 ") +
                     ecrit(e.valeurs[k + 1] - reference->valeurs[k + 1], d, v.marque);
        }
        lignes.append({k, texte});
    }
    return lignes;
}

QString texte_lecture(const QList<LigneLecture>& lignes) {
    QStringList textes;
    for (const LigneLecture& l : lignes)
        textes.append(l.texte);
    return textes.join(u'\n');
}
