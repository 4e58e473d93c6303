#include "util_rez/target/lignes_cible.h"

#include "util_rez/target/texte_cible.h"

#include <cstring>

LignesCible::LignesCible(QByteArray octets, Codage codage, bool debut_fichier)
    : octets_(std::move(octets)), codage_(codage), debut_fichier_(debut_fichier) {
    const bool bom = debut_fichier && codage == Codage::Utf8 && octets_.startsWith(marque_ordre_utf8);
    indexe_depuis(bom ? 3 : 0);
}

LignesCible::LignesCible(const QStringList& lignes)
    : LignesCible(encode_lignes(lignes, Codage::Utf8), Codage::Utf8, false) {}

// A line runs from its start to the next CR or LF; CR LF is one break. Each character's next
// place is looked up with memchr only once the scan has passed it: a file without CR costs one
// search per line.
void LignesCible::indexe_depuis(qsizetype debut) {
    const char* const base = octets_.constData();
    const char* const fin = base + octets_.size();
    const auto cherche = [fin](const char* p, char c) {
        const void* r = p < fin ? std::memchr(p, c, size_t(fin - p)) : nullptr;
        return r ? static_cast<const char*>(r) : fin;
    };
    const char* cr = base + debut;
    const char* lf = cr;
    for (const char* p = base + debut; p < fin;) {
        debuts_.push_back(p - base);
        if (cr < p || (cr == p && *cr != '\r')) cr = cherche(p, '\r');
        if (lf < p || (lf == p && *lf != '\n')) lf = cherche(p, '\n');
        const char* c = std::min(cr, lf);
        if (c == fin) break;
        p = c + 1;
        if (*c == '\r' && p < fin && *p == '\n') ++p;
    }
    nb_ = qsizetype(debuts_.size());
}

void LignesCible::ajoute(QByteArrayView ajout) {
    if (ajout.isEmpty()) return;
    // While the file's first line is still its last, its byte-order mark may be coming in.
    if (debut_fichier_ && nb_lignes_fichier() <= 1 && !fin_de_ligne_finale()) {
        *this = LignesCible(octets_ + ajout.toByteArray(), codage_, true);
        return;
    }
    qsizetype debut = octets_.size();
    // The last line may go on in the new bytes, or its CR find its LF there.
    if (!debuts_.empty() && !fin_de_ligne_finale()) {
        debut = debuts_.back();
        debuts_.pop_back();
    } else if (!octets_.isEmpty() && octets_.back() == '\r' && ajout.front() == '\n') {
        debut = octets_.size() + 1;
    }
    octets_.append(ajout);
    if (debut < octets_.size()) indexe_depuis(debut);
    nb_ = qsizetype(debuts_.size());
}

void LignesCible::limite(qsizetype n) {
    nb_ = std::clamp<qsizetype>(n, 0, nb_lignes_fichier());
}

bool LignesCible::fin_de_ligne_finale() const {
    return !octets_.isEmpty() && (octets_.back() == '\n' || octets_.back() == '\r');
}

// A line ends where the next begins, less its break: LF, CR or CR LF.
QByteArrayView LignesCible::octets_ligne(qsizetype i) const {
    const qsizetype d = debuts_[size_t(i)];
    qsizetype f = i + 1 < nb_lignes_fichier() ? debuts_[size_t(i) + 1] : octets_.size();
    const char* o = octets_.constData();
    if (f > d && o[f - 1] == '\n') --f;
    if (f > d && o[f - 1] == '\r') --f;
    return QByteArrayView(o + d, f - d);
}

QString LignesCible::operator[](qsizetype i) const {
    return decode_ligne(octets_ligne(i), codage_);
}

void LignesCible::decode_dans(qsizetype i, QString& tampon) const {
    const QByteArrayView o = octets_ligne(i);
    tampon.resize(o.size());
    char16_t* d = reinterpret_cast<char16_t*>(tampon.data());
    const auto* s = reinterpret_cast<const unsigned char*>(o.data());
    unsigned char ou = 0;
    for (qsizetype k = 0; k < o.size(); ++k) {
        d[k] = s[k];
        ou |= s[k];
    }
    if (codage_ == Codage::Utf8 && ou >= 0x80) tampon = decode_ligne(o, codage_);
}

QStringList LignesCible::mid(qsizetype debut, qsizetype n) const {
    const qsizetype fin = n < 0 ? nb_ : std::min(nb_, debut + n);
    QStringList r;
    for (qsizetype i = std::max<qsizetype>(debut, 0); i < fin; ++i)
        r.append((*this)[i]);
    return r;
}

QList<QByteArray> marques_codees(const QString& marque, Codage codage) {
    QList<QByteArray> r;
    for (const QStringView m : QStringView(marque).tokenize(u'\n', Qt::SkipEmptyParts)) {
        // A heading the file's encoding cannot hold is in no line of it.
        if (codage == Codage::Latin1 && std::any_of(m.begin(), m.end(), [](QChar c) { return c.unicode() > 0xFF; }))
            continue;
        r.append(encode_texte(m.toString(), codage));
    }
    return r;
}

bool est_marque_octets(QByteArrayView ligne, const QList<QByteArray>& marques) {
    qsizetype debut = 0, fin = ligne.size();
    while (debut < fin && ligne[debut] == ' ')
        ++debut;
    while (fin > debut && ligne[fin - 1] == ' ')
        --fin;
    const QByteArrayView coupee = ligne.sliced(debut, fin - debut);
    return std::any_of(marques.begin(), marques.end(), [&](const QByteArray& m) { return coupee == m; });
}

qsizetype cherche_marque(const LignesCible& lignes, qsizetype depuis, const QString& marque) {
    const QList<QByteArray> marques = marques_codees(marque, lignes.codage());
    if (marques.isEmpty()) return -1;
    for (qsizetype i = std::max<qsizetype>(depuis, 2); i < lignes.size(); ++i)
        if (est_marque_octets(lignes.octets_ligne(i), marques)) return i;
    return -1;
}

bool derniere_inachevee(const LignesCible& lignes) {
    const qsizetype n = lignes.nb_lignes_fichier();
    if (n == 0 || lignes.fin_de_ligne_finale()) return false;
    const QByteArrayView l = lignes.octets_ligne(n - 1);
    return l.startsWith('"') && (l.size() < 2 || !l.endsWith('"'));
}

std::optional<QStringList> coupe_commentaire(LignesCible& lignes, const QString& marque) {
    const qsizetype m = cherche_marque(lignes, 2, marque);
    if (m < 0) return std::nullopt;
    QStringList commentaire = lignes.mid(m + 1);
    lignes.limite(m - 1);
    return commentaire;
}

QByteArray octets_crlf(const LignesCible& lignes) {
    QByteArray r;
    r.reserve(lignes.size() == 0 ? 0 : lignes.debut_ligne(lignes.size() - 1) + 2 * lignes.size());
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        r += lignes.octets_ligne(i);
        r += "\r\n";
    }
    return r;
}
