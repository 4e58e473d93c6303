#include "util_rez/target/lecture_cible.h"

#include "util_rez/base/erreur.h"
#include "util_rez/files/fichier_regulier.h"
#include "util_rez/target/memoire_cible.h"
#include "util_rez/target/remplit_tableau.h"
#include "util_rez/target/texte_cible.h"

#include <QFile>
#include <cstring>
#include <future>
#include <limits>
#include <thread>
#include <vector>

namespace {

[[noreturn]] void echec(const QString& chemin, const QFile& f) {
    throw ouverture_impossible(chemin, f.errorString());
}

} // namespace

namespace {

constexpr qsizetype bout_compare = 1 << 16;
// From this many lines a load is parsed in two halves side by side.
constexpr qsizetype lignes_en_deux = 1 << 17;

// Bytes [debut, fin) of the file match `anciens`.
bool concorde(QFile& f, const QString& chemin, const QByteArray& anciens, qsizetype debut, qsizetype fin) {
    if (!f.seek(debut)) echec(chemin, f);
    std::vector<char> morceau(1 << 16);
    for (qsizetype compares = debut; compares < fin;) {
        const qint64 n = f.read(morceau.data(), std::min<qsizetype>(qsizetype(morceau.size()), fin - compares));
        if (n < 0) echec(chemin, f);
        if (n == 0 || std::memcmp(morceau.data(), anciens.constData() + compares, size_t(n)) != 0) return false;
        compares += n;
    }
    return true;
}

} // namespace

std::optional<QByteArray> lit_ajout(const QString& chemin, const QByteArray& anciens) {
    QFile f;
    ouvre_regulier(f, chemin);
    const qsizetype n = anciens.size();
    if (f.size() < n) return std::nullopt;
    const qsizetype tete = std::min(n, bout_compare);
    if (!concorde(f, chemin, anciens, 0, tete)) return std::nullopt;
    if (!concorde(f, chemin, anciens, std::max(tete, n - bout_compare), n)) return std::nullopt;
    QByteArray ajout = f.readAll();
    if (f.error() != QFileDevice::NoError) echec(chemin, f);
    return ajout;
}

void LectureCible::parse_depuis(qsizetype debut, Tableau& tableau, const std::function<void(int)>& avance) {
    parse_ = avant_derniere_;
    const qsizetype derniere = std::max<qsizetype>(nb_lignes_ - 1, 0);
    // A long run's second half is parsed on another core meanwhile, into a table of its own.
    const bool deux = derniere - debut >= lignes_en_deux && std::thread::hardware_concurrency() > 1;
    const qsizetype milieu = deux ? debut + (derniere - debut) / 2 : derniere;
    Tableau suite;
    ResultatParse r_suite;
    auto seconde = std::async(deux ? std::launch::async : std::launch::deferred, [&] {
        suite.reserve(int(derniere - milieu));
        poursuit_parse(lignes_, milieu, derniere, suite, r_suite);
    });
    if (!avance) poursuit_parse(lignes_, debut, milieu, tableau, parse_);
    constexpr qsizetype tranche = 1 << 16; // lines between two reports
    for (qsizetype d = debut; avance && d < milieu; d += tranche) {
        const qsizetype fin = std::min(d + tranche, milieu);
        poursuit_parse(lignes_, d, fin, tableau, parse_);
        avance(int((fin - debut) * 100 / (milieu - debut)));
    }
    if (deux) {
        seconde.get();
        if (!parse_.arrete) prolonge_parse(tableau, parse_, suite, r_suite);
    }
    avant_derniere_ = parse_;
    poursuit_parse(lignes_, derniere, lignes_.size(), tableau, parse_);
}

void LectureCible::charge(const QString& chemin, QByteArray octets, const QString& marque, Tableau& tableau,
                          const std::function<void(int)>& avance) {
    const qint64 taille = octets.size();
    try {
        charge_octets(chemin, std::move(octets), marque, tableau, avance);
    } catch (const std::bad_alloc&) {
        oublie();
        tableau.vide();
        throw memoire_insuffisante(chemin, taille);
    }
}

void LectureCible::charge_octets(const QString& chemin, QByteArray octets, const QString& marque,
                                 Tableau& tableau, const std::function<void(int)>& avance) {
    chemin_ = chemin;
    const Codage codage = codage_lignes_completes(octets);
    lignes_ = LignesCible(std::move(octets), codage);
    const QByteArray& o = lignes_.octets();
    nb_lignes_ = lignes_.nb_lignes_fichier();
    retenue_ = derniere_inachevee(lignes_);
    if (retenue_) lignes_.limite(nb_lignes_ - 1);
    commentaire_ = coupe_commentaire(lignes_, marque);
    marque_ = marque;
    debut_derniere_ = debut_derniere_ligne(o);
    prefixe_utf8_ = QByteArrayView(o).first(debut_derniere_).isValidUtf8();
    reprise_ = !commentaire_;
    premiere_changee_ = 0;
    avant_derniere_ = ResultatParse();
    // Room for the records at once, without copies as the table grows; no more than record
    // lines of 20 bytes could fill, so that a file of empty lines reserves nothing much.
    tableau.reserve(int(std::min<qsizetype>({nb_lignes_, o.size() / 20 + 1, std::numeric_limits<int>::max() - 1})));
    parse_depuis(0, tableau, avance);
}

bool LectureCible::ajoute(const QByteArray& ajout, const QString& marque, Tableau& tableau) {
    const QString chemin = chemin_;
    const qint64 taille = octets().size() + ajout.size();
    try {
        return ajoute_octets(ajout, marque, tableau);
    } catch (const std::bad_alloc&) {
        oublie();
        tableau.vide();
        throw memoire_insuffisante(chemin, taille);
    }
}

bool LectureCible::ajoute_octets(const QByteArray& ajout, const QString& marque, Tableau& tableau) {
    if (!reprise_ || marque != marque_ || octets().isEmpty()) return false;
    premiere_changee_ = lignes_.size();
    if (ajout.isEmpty()) return true;
    // The file's last line goes again with what follows it: only these few lines are split here.
    const QByteArray queue = octets().sliced(debut_derniere_) + ajout;
    const bool debut_fichier = debut_derniere_ == 0;
    const qsizetype completes = fin_lignes_completes(queue, debut_fichier);
    const bool utf8 = prefixe_utf8_ && QByteArrayView(queue).first(completes).isValidUtf8();
    if (utf8 != (codage() == Codage::Utf8)) return false;
    const LignesCible nouvelles(queue, codage(), debut_fichier);
    const bool retenue = derniere_inachevee(nouvelles);
    const qsizetype premiere = std::max<qsizetype>(nb_lignes_ - 1, 0);
    const qsizetype gardees = nouvelles.nb_lignes_fichier() - (retenue ? 1 : 0);
    const QList<QByteArray> marques = marques_codees(marque, codage());
    for (qsizetype j = 0; j < gardees; ++j)
        if (premiere + j >= 2 && est_marque_octets(nouvelles.octets_ligne(j), marques)) return false;

    lignes_.ajoute(ajout);
    nb_lignes_ = lignes_.nb_lignes_fichier();
    lignes_.limite(premiere + gardees);
    retenue_ = retenue;
    const qsizetype debut_derniere_queue = debut_derniere_ligne(queue);
    prefixe_utf8_ = prefixe_utf8_ && QByteArrayView(queue).first(debut_derniere_queue).isValidUtf8();
    debut_derniere_ += debut_derniere_queue;
    premiere_changee_ = premiere;
    parse_depuis(premiere, tableau);
    return true;
}

bool LectureCible::suit(const QString& chemin, const QString& marque) const {
    return reprise_ && chemin == chemin_ && marque == marque_;
}

void LectureCible::oublie() {
    *this = LectureCible();
}
