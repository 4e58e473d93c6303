#include "util_rez/target/plan_cible.h"

#include "util_rez/base/echelles.h"
#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/files/fichier_regulier.h"
#include "util_rez/target/memoire_cible.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/remplit_tableau.h"
#include "util_rez/target/texte_cible.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <sys/mman.h>

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

// The file's pages, once read, are handed back, so that the picture of a long run costs its
// table and not the file's bytes as well.
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
    void rend_jusqu_a(qsizetype fin) {
        const qsizetype page = 4096;
        const qsizetype n = fin / page * page;
        if (n > rendu_) ::madvise(debut_ + rendu_, size_t(n - rendu_), MADV_DONTNEED);
        rendu_ = std::max(rendu_, n);
    }
    // For a second reading from the start.
    void recommence() { rendu_ = 0; }

  private:
    QFile f_;
    uchar* debut_ = nullptr;
    qint64 taille_ = 0;
    qsizetype rendu_ = 0;
};

// What LectureCible::charge gives, the bytes read a few megabytes at a time and the lines
// never all held: the unfinished last line left out, the parse ending at the comment heading
// with the line before it.
ResultatParse parse_en_flux(const QString& chemin, const QString& marque, Tableau& tableau) {
    Carte carte(chemin);
    const QByteArrayView o = carte.octets();
    const qsizetype completes = fin_lignes_completes(o, true);
    bool utf8 = true;
    qsizetype lf = 0, cr = 0;
    for (qsizetype d = 0; d < o.size();) {
        const qsizetype f = apres_coupure(o, d + morceau);
        const QByteArrayView m = o.sliced(d, f - d);
        if (utf8 && d < completes) utf8 = m.first(std::min(f, completes) - d).isValidUtf8();
        lf += std::count(m.begin(), m.end(), '\n');
        cr += std::count(m.begin(), m.end(), '\r');
        carte.rend_jusqu_a(f);
        d = f;
    }
    // Every line may be a record: the table is made that long at once, without copies.
    tableau.reserve(int(std::min<qsizetype>(std::max(lf, cr) + 1, std::numeric_limits<int>::max() - 1)));
    const Codage codage = utf8 ? Codage::Utf8 : Codage::Latin1;
    carte.recommence();
    ResultatParse r;
    const QList<QByteArray> marques = marques_codees(marque, codage);
    // Each line is decoded into one of two buffers used again, the other holding the line
    // before it, which is parsed once this one is known to be no comment heading.
    QString attente, ligne;
    qsizetype i = 0;
    bool fini = false;
    for (qsizetype d = 0; d < o.size() && !fini;) {
        const qsizetype f = apres_coupure(o, d + morceau);
        LignesCible lignes(QByteArray::fromRawData(o.data() + d, f - d), codage, d == 0);
        if (f == o.size() && derniere_inachevee(lignes)) lignes.limite(lignes.size() - 1);
        for (qsizetype j = 0; j < lignes.size(); ++j) {
            if (i >= 2 && est_marque_octets(lignes.octets_ligne(j), marques)) {
                fini = true;
                break;
            }
            lignes.decode_dans(j, ligne);
            if (i > 0 && !parse_ligne(attente, i - 1, tableau, r)) return r;
            std::swap(attente, ligne);
            ++i;
        }
        carte.rend_jusqu_a(f);
        d = f;
    }
    if (!fini && i > 0) parse_ligne(attente, i - 1, tableau, r);
    return r;
}

} // namespace

PlanCible charge_plan(const QString& chemin, const QString& titre_commentaire) {
    PlanCible plan;
    try {
        plan.parse = parse_en_flux(chemin, coupe_espaces(titre_commentaire), *plan.tableau);
    } catch (const std::bad_alloc&) {
        throw memoire_insuffisante(chemin, QFileInfo(chemin).size());
    }
    plan.texte_x = texte_autoscale(plan.parse.max_x, etendue_x_initiale);
    plan.texte_y = texte_autoscale(plan.parse.max_y, etendue_y_initiale);
    return plan;
}
