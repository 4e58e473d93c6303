#include "_rez/tform1.h"

#include "util_rez/files/remplace_fichier.h"

void TForm1::verifie_codable(const QStringList& lignes) const {
    if (const std::optional<char32_t> c = car_non_codable(lignes, codage_cible())) {
        const QString car = QString::fromUcs4(&*c, 1);
        const QString code = QStringLiteral("U+%1").arg(uint(*c), 4, 16, QLatin1Char('0')).toUpper();
        const QString texte = texte_message(73); // not in Latin-1; then the character: "ŝ" (U+015D)
        throw ErreurRez(texte + QStringLiteral(" \"%1\" (%2)").arg(car, code));
    }
}

void TForm1::ecrit_ou_signale(const QString& chemin, const QByteArray& octets, Lien lien) const {
    QString raison;
    if (!remplace_fichier(chemin, octets, raison, lien)) signale_non_ecrit(chemin, raison, lien);
}

void TForm1::signale_non_ecrit(const QString& chemin, const QString& raison, Lien lien) const {
    const QString texte = lien == Lien::Refuse && intrus(chemin)
                              ? texte_message(109) // own file replaced by something else; file, reason
                              : texte_message(74); // not written; the file and the reason follow
    throw ErreurRez(texte + QLatin1Char('\n') + chemin + QLatin1Char('\n') + raison);
}

void TForm1::refuse_intrus(const QString& chemin) const {
    if (const std::optional<QString> raison = intrus(chemin))
        throw ErreurRez(texte_message(109) + QLatin1Char('\n') + chemin +
                        QLatin1Char('\n') + // own file replaced
                        *raison);
}
