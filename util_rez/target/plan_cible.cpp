#include "util_rez/target/plan_cible.h"

#include "util_rez/base/echelles.h"
#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_regulier.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/memoire_cible.h"
#include "util_rez/target/remplit_tableau.h"
#include "util_rez/target/texte_cible.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <future>
#include <limits>
#include <optional>
#include <sys/mman.h>
#include <thread>

namespace {

// The full-scale fields' texts before any load.
const QString etendue_x_initiale = QStringLiteral("5");
const QString etendue_y_initiale = QStringLiteral("100");

QString texte_autoscale(long double maximum, const QString& texte_actuel) {
    const auto v = valeur_autoscale(maximum);
    return v ? QString::number(*v) : texte_actuel;
}

constexpr qsizetype morceau = qsizetype(8) << 20;

// Just past a line break at or after `depuis`, a CR LF pair kept whole; the end when none.
qsizetype apres_coupure(QByteArrayView o, qsizetype depuis) {
    for (qsizetype i = std::max<qsizetype>(depuis, 1); i < o.size(); ++i) {
        if (o[i - 1] == '\n' || (o[i - 1] == '\r' && o[i] != '\n')) return i;
    }
    return o.size();
}

// At least the number of line breaks: the larger of the counts of LF and of CR, eight bytes
// at a time (a byte by byte count is slower than the rest of the parse).
qsizetype nb_coupures(QByteArrayView o) {
    // A byte's top bit for each zero byte of v, then those bits added up by a multiplication.
    const auto octets_nuls = [](uint64_t v) {
        const uint64_t bas = 0x7f7f7f7f7f7f7f7fULL;
        const uint64_t hauts = ~(((v & bas) + bas) | v | bas);
        return qsizetype(((hauts >> 7) * 0x0101010101010101ULL) >> 56);
    };
    const uint64_t lf = 0x0a0a0a0a0a0a0a0aULL, cr = 0x0d0d0d0d0d0d0d0dULL;
    qsizetype n_lf = 0, n_cr = 0, i = 0;
    for (; i + 8 <= o.size(); i += 8) {
        uint64_t v;
        std::memcpy(&v, o.data() + i, 8);
        n_lf += octets_nuls(v ^ lf);
        n_cr += octets_nuls(v ^ cr);
    }
    for (; i < o.size(); ++i) {
        n_lf += o[i] == '\n';
        n_cr += o[i] == '\r';
    }
    return std::max(n_lf, n_cr);
}

// The file mapped read-only; the pages a reader has gone past are handed back, so that the
// picture of a long run costs its table and not the file's bytes as well.
class Carte {
  public:
    Carte(const QString& chemin) {
        ouvre_regulier(f_, chemin);
        const qint64 n = f_.size();
        if (n > 0) debut_ = f_.map(0, n);
        if (n > 0 && debut_ == nullptr) throw ouverture_impossible(chemin, f_.errorString());
        taille_ = debut_ ? n : 0;
    }
    QByteArrayView octets() const { return {reinterpret_cast<const char*>(debut_), qsizetype(taille_)}; }
    // The whole pages between the two places.
    void rend(qsizetype debut, qsizetype fin) const {
        const qsizetype page = 4096;
        const qsizetype d = (debut + page - 1) / page * page;
        const qsizetype f = fin / page * page;
        if (f > d) ::madvise(debut_ + d, size_t(f - d), MADV_DONTNEED);
    }

  private:
    QFile f_;
    uchar* debut_ = nullptr;
    qint64 taille_ = 0;
};

// Lines from byte `debut` (a line's start) to `fin`, numbered from `premiere`.
struct Portion {
    qsizetype debut;
    qsizetype fin;
    qsizetype premiere;
};

struct Lecture {
    const Carte& carte;
    Codage codage;
    QList<QByteArray> marques;
};

struct FinPortion {
    ResultatParse r;
    qsizetype nb_lignes = 0;
    bool arret = false; // at "Stopped" or the comment heading: what follows is not read
};

bool est_marque(const Lecture& l, QByteArrayView ligne, qsizetype i) {
    return i >= 2 && est_marque_octets(ligne, l.marques);
}

// What LectureCible::charge gives for these lines, on from the parse `avant` of those before, read a few
// megabytes at a time: the parse ends at the comment heading with the line before it, which is parsed only
// once the next line, be it past the portion, is known to be no heading.
FinPortion parse_portion(const Lecture& l, Portion p, qsizetype fin_fichier, Tableau& tableau,
                         const ResultatParse& avant) {
    const QByteArrayView o = l.carte.octets();
    FinPortion fp{avant};
    QByteArrayView attente;
    QString tampon;
    qsizetype i = p.premiere;
    for (qsizetype d = p.debut; d < p.fin;) {
        const qsizetype f = std::min(apres_coupure(o, d + morceau), p.fin);
        const LignesCible lignes(QByteArray::fromRawData(o.data() + d, f - d), l.codage, d == 0);
        for (qsizetype j = 0; j < lignes.size(); ++j, ++i) {
            if (est_marque(l, lignes.octets_ligne(j), i)) return {fp.r, i - p.premiere, true};
            if (i > p.premiere && !parse_ligne(attente, l.codage, i - 1, tampon, tableau, fp.r))
                return {fp.r, i - p.premiere, true};
            attente = lignes.octets_ligne(j);
        }
        l.carte.rend(d, f);
        d = f;
    }
    fp.nb_lignes = i - p.premiere;
    if (i == p.premiere) return fp;
    if (p.fin < fin_fichier) {
        const qsizetype f = apres_coupure(o, p.fin + 1);
        const QByteArrayView suivante =
            LignesCible(QByteArray::fromRawData(o.data() + p.fin, f - p.fin), l.codage, false)
                .octets_ligne(0);
        if (est_marque(l, suivante, i)) fp.arret = true;
    }
    if (!fp.arret) fp.arret = !parse_ligne(attente, l.codage, i - 1, tampon, tableau, fp.r);
    return fp;
}

// A long file is read in two halves side by side, the second numbering its lines from a
// guess that its rows' line indexes are moved from once the first half has counted its own.
constexpr qsizetype taille_deux_moities = qsizetype(16) << 20;
constexpr qsizetype premiere_ligne_supposee = 3;

struct Comptes {
    bool utf8 = true;
    qsizetype coupures = 0;
};

// The bytes once over, a few megabytes at a time, each handed back once looked at.
Comptes compte(const Carte& carte, qsizetype debut, qsizetype fin) {
    const QByteArrayView o = carte.octets();
    Comptes c;
    for (qsizetype d = debut; d < fin;) {
        const qsizetype f = std::min(apres_coupure(o, d + morceau), fin);
        const QByteArrayView m = o.sliced(d, f - d);
        c.utf8 = c.utf8 && m.isValidUtf8();
        c.coupures += nb_coupures(m);
        carte.rend(d, f);
        d = f;
    }
    return c;
}

int lignes_au_plus(qsizetype coupures) {
    return int(std::min<qsizetype>(coupures + 1, std::numeric_limits<int>::max() - 1));
}

// `coupe`: where the second half begins (at the first line break from there), or nowhere.
ResultatParse parse_en_flux(const QString& chemin, const QString& marque, Tableau& tableau,
                            std::optional<qsizetype> coupe) {
    const Carte carte(chemin);
    const QByteArrayView o = carte.octets();
    const qsizetype completes = fin_lignes_completes(o, true);
    const qsizetype milieu = coupe ? std::min(apres_coupure(o, *coupe), completes) : completes;
    auto compte_b = std::async(milieu < completes ? std::launch::async : std::launch::deferred,
                               [&] { return compte(carte, milieu, completes); });
    const Comptes ca = compte(carte, 0, milieu), cb = compte_b.get();
    const Codage codage = ca.utf8 && cb.utf8 ? Codage::Utf8 : Codage::Latin1;
    const Lecture l{carte, codage, marques_codees(marque, codage)};
    // Every line may be a record: the tables are made that long at once, without copies.
    tableau.reserve(lignes_au_plus(ca.coupures + cb.coupures));
    if (milieu == completes) return parse_portion(l, {0, completes, 0}, completes, tableau, {}).r;
    Tableau suite;
    suite.reserve(lignes_au_plus(cb.coupures));
    auto seconde = std::async(std::launch::async, [&] {
        return parse_portion(l, {milieu, completes, premiere_ligne_supposee}, completes, suite, {});
    });
    FinPortion a = parse_portion(l, {0, milieu, 0}, completes, tableau, {});
    const FinPortion b = seconde.get();
    if (a.arret) return a.r;
    // A first half of fewer lines than the guess: its names' line may be in the second.
    if (a.nb_lignes < premiere_ligne_supposee)
        return parse_portion(l, {milieu, completes, a.nb_lignes}, completes, tableau, a.r).r;
    prolonge_parse(tableau, a.r, suite, b.r, double(a.nb_lignes - premiere_ligne_supposee));
    return a.r;
}

} // namespace

PlanCible charge_plan(const QString& chemin, const QString& titre_commentaire) {
    const qint64 taille = QFileInfo(chemin).size();
    const bool deux = taille >= taille_deux_moities && std::thread::hardware_concurrency() > 1;
    return charge_plan_en_deux(chemin, titre_commentaire, deux ? std::optional(taille / 2) : std::nullopt);
}

PlanCible charge_plan_en_deux(const QString& chemin, const QString& titre_commentaire,
                              std::optional<qsizetype> milieu) {
    PlanCible plan;
    try {
        plan.parse = parse_en_flux(chemin, coupe_espaces(titre_commentaire), *plan.tableau, milieu);
    } catch (const std::bad_alloc&) {
        throw memoire_insuffisante(chemin, QFileInfo(chemin).size());
    }
    plan.texte_x = texte_autoscale(plan.parse.max_x, etendue_x_initiale);
    plan.texte_y = texte_autoscale(plan.parse.max_y, etendue_y_initiale);
    return plan;
}
