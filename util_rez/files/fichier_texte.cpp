#include "util_rez/files/fichier_texte.h"

#include "util_rez/base/erreur.h"
#include "util_rez/base/grandes_pages.h"
#include "util_rez/files/fichier_regulier.h"

#include <QFile>
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

namespace {

// What readAll gives, into a buffer advised for large pages before it is filled. resize()
// leaves room at the end, as readAll does, for what a writer appends next.
QByteArray lit_tout(QFile& f) {
    QByteArray octets;
    octets.resize(qsizetype(std::max<qint64>(f.size(), 0)));
    conseille_grandes_pages(octets.data(), size_t(octets.capacity()));
    qsizetype lus = 0;
    while (lus < octets.size()) {
        const qint64 n = f.read(octets.data() + lus, octets.size() - lus);
        if (n <= 0) break;
        lus += qsizetype(n);
    }
    octets.truncate(lus);
    if (f.error() == QFileDevice::NoError) octets.append(f.readAll()); // grown meanwhile
    return octets;
}

} // namespace

QByteArray lit_octets(const QString& chemin, qint64 taille_max) {
    QFile f;
    ouvre_regulier(f, chemin);
    if (f.size() > taille_max)
        throw ErreurRez(ErreurRez::Genre::FichierTropGrand, {chemin},
                        QStringLiteral("The file \"%1\" is too large to be read.").arg(chemin));
    QByteArray octets = lit_tout(f);
    if (f.error() != QFileDevice::NoError)
        throw ouverture_impossible(chemin, f.errorString());
    return octets;
}

namespace {

// Past this, however long a line has grown, the lines not reached yet read as missing.
constexpr qint64 budget_lignes_premieres = qint64(16) << 20;

// A line cut at the bound keeps no part of a UTF-8 character, which would make the whole text
// read as Latin-1; in a Latin-1 text it loses at most three more characters of a cut line.
void coupe_sans_caractere_partiel(QByteArray& octets, qsizetype debut_ligne) {
    qsizetype fin = octets.size();
    qsizetype i = fin;
    while (i > debut_ligne && fin - i < 3 && (uchar(octets[i - 1]) & 0xC0) == 0x80)
        --i;
    if (i > debut_ligne && uchar(octets[i - 1]) >= 0xC0) {
        const uchar tete = uchar(octets[i - 1]);
        const qsizetype longueur = tete >= 0xF0 ? 4 : tete >= 0xE0 ? 3 : 2;
        if (fin - (i - 1) < longueur) fin = i - 1;
    }
    octets.truncate(fin);
}

} // namespace

QStringList lit_premieres_lignes(QIODevice& source, int nombre, qsizetype longueur_max) {
    QByteArray octets;
    qsizetype debut_ligne = 0;
    int lues = 0;
    bool apres_cr = false;
    bool coupee = false;
    char morceau[4096];
    qint64 n = 0;
    qint64 parcourus = 0;
    while (lues < nombre && parcourus < budget_lignes_premieres &&
           (n = source.read(morceau, sizeof morceau)) > 0) {
        parcourus += n;
        for (qint64 j = 0; j < n && lues < nombre; ++j) {
            const char c = morceau[j];
            const bool lf_du_crlf = apres_cr && c == '\n';
            apres_cr = c == '\r';
            if (lf_du_crlf) continue;
            if (c == '\r' || c == '\n') {
                if (coupee) coupe_sans_caractere_partiel(octets, debut_ligne);
                octets += '\n';
                debut_ligne = octets.size();
                coupee = false;
                ++lues;
            } else if (octets.size() - debut_ligne < longueur_max) {
                octets += c;
            } else {
                coupee = true;
            }
        }
    }
    if (coupee) coupe_sans_caractere_partiel(octets, debut_ligne);
    Codage codage;
    return coupe_lignes(decode_octets(octets, codage));
}

QStringList lit_premieres_lignes(const QString& chemin, int nombre, qsizetype longueur_max) {
    QFile f;
    ouvre_regulier(f, chemin);
    QStringList lignes = lit_premieres_lignes(f, nombre, longueur_max);
    if (f.error() != QFileDevice::NoError)
        throw ouverture_impossible(chemin, f.errorString());
    return lignes;
}

TexteLu lit_fichier_texte(const QString& chemin, qint64 taille_max) {
    const QByteArray octets = lit_octets(chemin, taille_max);
    TexteLu lu;
    lu.lignes = coupe_lignes(decode_octets(octets, lu.codage), &lu.fin_de_ligne_finale);
    lu.octets = octets;
    return lu;
}
