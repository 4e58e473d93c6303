#include "util_rez/fichier_texte.h"

#include "util_rez/erreur.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString decode_octets(const QByteArray& octets, Codage& codage) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = utf8(octets);
    if (!utf8.hasError()) {
        codage = Codage::Utf8;
        return texte;
    }
    codage = Codage::Latin1;
    return QString::fromLatin1(octets);
}

QByteArray encode_texte(const QString& texte, Codage codage) {
    return codage == Codage::Utf8 ? texte.toUtf8() : texte.toLatin1();
}

QByteArray encode_lignes(const QStringList& lignes, Codage codage) {
    QByteArray octets;
    for (const QString& l : lignes) {
        octets += encode_texte(l, codage);
        octets += "\r\n";
    }
    return octets;
}

std::optional<char32_t> car_non_codable(const QStringList& lignes, Codage codage) {
    if (codage == Codage::Utf8)
        return std::nullopt;
    for (const QString& l : lignes) {
        for (const char32_t c : l.toUcs4()) {
            if (c > 0xFF)
                return c;
        }
    }
    return std::nullopt;
}

QStringList coupe_lignes(const QString& texte, bool* fin_de_ligne_finale) {
    QStringList lignes;
    qsizetype debut = 0;
    const qsizetype n = texte.size();
    bool fin_coupee = false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texte[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lignes.append(texte.mid(debut, i - debut));
        if (c == QLatin1Char('\r') && i + 1 < n && texte[i + 1] == QLatin1Char('\n'))
            ++i;
        debut = i + 1;
        fin_coupee = debut >= n;
    }
    if (debut < n)
        lignes.append(texte.mid(debut));
    if (fin_de_ligne_finale)
        *fin_de_ligne_finale = fin_coupee;
    return lignes;
}

ErreurRez ouverture_impossible(const QString& chemin, const QString& raison) {
    const QString debut = QStringLiteral("Cannot open file \"%1\". ").arg(chemin);
    const QFileInfo info(chemin);
    // The two common causes get words of their own; the system's reason is English at best.
    if (!info.exists())
        return ErreurRez(ErreurRez::Genre::FichierAbsent, {chemin},
                         debut + QStringLiteral("No such file or directory."));
    if (info.isFile() && !info.isReadable())
        return ErreurRez(ErreurRez::Genre::FichierRefuse, {chemin},
                         debut + QStringLiteral("Permission denied."));
    return ErreurRez(ErreurRez::Genre::FichierIllisible, {chemin, raison}, debut + raison);
}

QByteArray lit_octets(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw ouverture_impossible(chemin, f.errorString());
    QByteArray octets = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ouverture_impossible(chemin, f.errorString());
    return octets;
}

TexteLu lit_fichier_texte(const QString& chemin) {
    const QByteArray octets = lit_octets(chemin);
    TexteLu lu;
    lu.lignes = coupe_lignes(decode_octets(octets, lu.codage), &lu.fin_de_ligne_finale);
    lu.octets = octets;
    return lu;
}

bool ecrit_fichier_texte(const QString& chemin, const QStringList& lignes, Codage codage, QString* raison) {
    const QByteArray octets = encode_lignes(lignes, codage);
    QFile f(chemin);
    bool ecrit = f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
    // A full disk often shows only when the buffered bytes reach it, at the close.
    if (f.isOpen())
        f.close();
    ecrit = ecrit && f.error() == QFileDevice::NoError;
    if (!ecrit && raison)
        *raison = f.errorString();
    return ecrit;
}
