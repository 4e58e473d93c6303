#include "util_rez/target/commentaire.h"

#include <vector>

QStringList bloc_commentaire(const QString& titre, const QStringList& commentaire) {
    QStringList bloc{QString(), QStringLiteral("    ") + titre};
    bloc += commentaire;
    return bloc;
}

namespace {

// The offset after each line with its break; CR LF, LF and CR end a line, as when reading.
// Both encodings of the target file keep CR and LF as single bytes of their own.
std::vector<qsizetype> fins_de_lignes(const QByteArray& octets) {
    std::vector<qsizetype> fins;
    const qsizetype n = octets.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = octets[i];
        if (c != '\r' && c != '\n')
            continue;
        if (c == '\r' && i + 1 < n && octets[i + 1] == '\n') ++i;
        fins.push_back(i + 1);
    }
    if (fins.empty() ? n > 0 : fins.back() < n)
        fins.push_back(n);
    return fins;
}

} // namespace

qsizetype fin_cible(const QByteArray& octets, qsizetype nb_affichees) {
    const std::vector<qsizetype> fins = fins_de_lignes(octets);
    const qsizetype total = qsizetype(fins.size());
    if (total - nb_affichees <= 1) return octets.size();
    return nb_affichees <= 0 ? 0 : fins[nb_affichees - 1];
}

QByteArray ajout_commentaire(QByteArrayView garde, const QStringList& bloc, Codage codage) {
    const bool coupe = garde.isEmpty() || garde.endsWith('\r') || garde.endsWith('\n');
    return (coupe ? QByteArray() : QByteArrayLiteral("\r\n")) + encode_lignes(bloc, codage);
}
