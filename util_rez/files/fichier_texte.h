#pragma once
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <limits>
#include <optional>

// Text files are kept byte for byte: valid UTF-8 is read as UTF-8, anything else as
// Latin-1, and a rewrite uses the encoding the text came in.
enum class Codage { Utf8, Latin1 };

struct TexteLu {
    QByteArray octets;                // the bytes as read
    QStringList lignes;
    Codage codage = Codage::Utf8;
    bool fin_de_ligne_finale = false; // the bytes ended with a line break
};

QString decode_octets(const QByteArray& octets, Codage& codage);
QByteArray encode_texte(const QString& texte, Codage codage);
// Each line followed by CR LF.
QByteArray encode_lignes(const QStringList& lignes, Codage codage);
// The first character of the lines that the encoding cannot hold (UTF-8 holds them all).
std::optional<char32_t> car_non_codable(const QStringList& lignes, Codage codage);

// Splits at CR LF, LF or CR; a break at the very end adds no empty line.
QStringList coupe_lignes(const QString& texte, bool* fin_de_ligne_finale = nullptr);

// Both throw ErreurRez ("Cannot open file ...") when the file cannot be read or is no regular
// file, and ErreurRez(FichierTropGrand) without reading it when it is larger than `taille_max`.
QByteArray lit_octets(const QString& chemin, qint64 taille_max = std::numeric_limits<qint64>::max());
TexteLu lit_fichier_texte(const QString& chemin, qint64 taille_max = std::numeric_limits<qint64>::max());

// The first `nombre` lines only, each cut to `longueur_max` bytes, decoded as a whole: what
// a small file of a few settings needs, whatever size the file has grown to. No more than
// 16 MiB are read to find them; lines beyond read as missing. The second
// throws ErreurRez when the file cannot be read.
QStringList lit_premieres_lignes(QIODevice& source, int nombre, qsizetype longueur_max);
QStringList lit_premieres_lignes(const QString& chemin, int nombre, qsizetype longueur_max);

