#include "_rez/tform1.h"

namespace {

// The offending text in apostrophes, then what is wrong with it.
QString texte_cite(const QString& texte, const QString& defaut) {
    return QLatin1Char('\'') + texte + QStringLiteral("' ") + defaut;
}

} // namespace

QString TForm1::texte_erreur(const ErreurRez& e) const {
    using G = ErreurRez::Genre;
    const QStringList& a = e.arguments();
    const auto fichier = [&](const QString& suite) {
        return texte_message(90) + QStringLiteral(" \"") + a.value(0) + QStringLiteral("\". ") +
               suite; // cannot open
    };
    // Before the language file is read (or without it) the English wording is all there is.
    const auto avec = [&](std::initializer_list<int> numeros, const QString& texte) {
        for (int n : numeros)
            if (!langue.contient(n)) return e.texte();
        return texte;
    };
    switch (e.genre()) {
    case G::EntierInvalide:
        return avec({87}, texte_cite(a.value(0), texte_message(87))); // not a valid integer
    case G::ReelInvalide:
        return avec({88}, texte_cite(a.value(0), texte_message(88))); // not a valid real
    case G::PeriodeInvalide:
        return avec({89}, texte_cite(a.value(0), texte_message(89))); // not a valid refresh period
    case G::FichierAbsent:
        return avec({90, 91}, fichier(texte_message(91))); // no such file
    case G::FichierRefuse:
        return avec({90, 92}, fichier(texte_message(92))); // permission denied
    case G::FichierIllisible:
        return avec({90}, fichier(a.value(1)));
    case G::FichierTropGrand:
        return avec({107}, texte_message(107) + QLatin1Char('\n') + a.value(0)); // file too large
    case G::MemoireInsuffisante:
        return avec({113, 114}, texte_message(113) + QStringLiteral(" \"") + a.value(0) + // not enough memory
                                    QStringLiteral("\" (") + a.value(1) + QLatin1Char(' ') +
                                    texte_message(114) + QStringLiteral(").")); // bytes
    case G::Autre:
        break;
    }
    return e.texte();
}

QString TForm1::texte_erreur_son(const QString& chemin) const {
    const QString anglais = QStringLiteral("Cannot play the sound file \"%1\".").arg(chemin);
    if (!langue.contient(93)) return anglais;
    return texte_message(93) + QStringLiteral(" \"") + chemin +
           QStringLiteral("\"."); // sound cannot be played
}

// Each entry shows its name alone; the pattern after it is what the dialog matches.
QString TForm1::filtre_cible() const {
    return texte_message(94) + QStringLiteral(" (*);;") +   // filter entry: every file
           texte_message(95) + QStringLiteral(" (*.txt*)"); // filter entry: text files
}
