#include "util_rez/plot/reduction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr int bloc = 32;
using Extremes = ResumeBlocs::Extremes;

// A value no record has gives the row far below the picture that minus infinity gives.
double cle(double v) {
    return std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
}

// Curve k's values, a value no record has as minus infinity: this runs for every record of a
// block and every column and curve of a picture.
template <typename Suite> auto avec_valeurs(const Tableau& t, int k, Suite suite) {
    return t.avec_colonne(k + 1, [&](auto lit) { return suite([lit](int i) { return cle(lit(i)); }); });
}

Extremes seul(int i, double v) {
    return {i, i, v, v};
}

// The earlier record wins a tie, so that any way of cutting a run gives the same records.
// Without branches, the processor fetches the next values while it compares these.
void retient(Extremes& r, const Extremes& autre) {
    const bool plus_petit = autre.v_min < r.v_min;
    const bool plus_grand = autre.v_max > r.v_max;
    r.i_min = plus_petit ? autre.i_min : r.i_min;
    r.v_min = plus_petit ? autre.v_min : r.v_min;
    r.i_max = plus_grand ? autre.i_max : r.i_max;
    r.v_max = plus_grand ? autre.v_max : r.v_max;
}

template <typename Valeur> Extremes parcourt(Valeur v, int a, int b) {
    Extremes r = seul(a, v(a));
    for (int i = a + 1; i <= b; ++i)
        retient(r, seul(i, v(i)));
    return r;
}

} // namespace

void ResumeBlocs::suit(const Tableau& t, int n) {
    n = std::clamp(n, 0, t.taille());
    int intactes = t.identite() == identite_ ? t.lignes_intactes(revision_, n_) : 0;
    intactes = std::min(intactes, n);
    identite_ = t.identite();
    revision_ = t.revision();
    if (intactes == n && n == n_) return;
    n_ = n;
    int debut = intactes + 1;
    if (recul_ > intactes) {
        recul_ = 0;
        debut = 2;
    }
    for (int i = std::max(2, debut); i <= n; ++i)
        if (!(t(1, i) >= t(1, i - 1))) recul_ = i;
    refait(t, intactes + 1);
}

void ResumeBlocs::refait(const Tableau& t, int depuis) {
    for (int k = 1; k <= 8; ++k) {
        auto& niveaux = niveaux_[k];
        int nb = (n_ + bloc - 1) / bloc;
        int j0 = std::max(0, (depuis - 1) / bloc);
        if (niveaux.empty()) niveaux.emplace_back();
        niveaux[0].resize(size_t(nb));
        avec_valeurs(t, k, [&](auto v) {
            for (int j = j0; j < nb; ++j)
                niveaux[0][j] = parcourt(v, j * bloc + 1, std::min(n_, (j + 1) * bloc));
        });
        size_t l = 1;
        for (; nb > 1; ++l) {
            nb = (nb + 1) / 2;
            j0 /= 2;
            if (niveaux.size() <= l) niveaux.emplace_back();
            const auto& dessous = niveaux[l - 1];
            auto& niveau = niveaux[l];
            niveau.resize(size_t(nb));
            for (int j = j0; j < nb; ++j) {
                niveau[j] = dessous[2 * j];
                if (size_t(2 * j + 1) < dessous.size()) retient(niveau[j], dessous[2 * j + 1]);
            }
        }
        niveaux.resize(std::min(niveaux.size(), std::max<size_t>(l, 1)));
    }
}

// Records one by one where no whole block starts, the blocks' extremes beyond; the walk goes
// forward, so the earlier record keeps winning a tie.
std::pair<int, int> ResumeBlocs::extremes(const Tableau& t, int k, int a, int b) const {
    const auto& niveaux = niveaux_[k];
    return avec_valeurs(t, k, [&](auto v) {
        Extremes r = seul(a, v(a));
        for (int i = a; i <= b;) {
            int l = -1;
            if ((i - 1) % bloc == 0) {
                const int j = (i - 1) / bloc;
                while (size_t(l + 1) < niveaux.size() && j % (1 << (l + 1)) == 0 &&
                       i - 1 + (bloc << (l + 1)) <= b)
                    ++l;
            }
            if (l < 0) {
                const int fin = int(std::min<int64_t>(b, (int64_t(i - 1) / bloc + 1) * bloc));
                for (; i <= fin; ++i)
                    retient(r, seul(i, v(i)));
                continue;
            }
            retient(r, niveaux[l][((i - 1) / bloc) >> l]);
            i += bloc << l;
        }
        return std::pair<int, int>{r.i_min, r.i_max};
    });
}

// The blocks a run's ends climb and descend through lie far apart on the lower levels, as
// do the records of its partial blocks: each a fetch from memory unless asked for ahead.
void ResumeBlocs::annonce(const Tableau& t, const std::array<bool, 9>& coches, int a, int b) const {
    constexpr int par_ligne = 64 / sizeof(double);
    constexpr size_t niveaux_eloignes = 7; // above, the blocks of neighbouring columns share lines
    for (int c = 1; c <= nb_colonnes_lues; ++c) {
        const double* v = t.colonne(c);
        for (int i = a; i < std::min(b + 1, a + bloc); i += par_ligne)
            __builtin_prefetch(v + i);
        for (int i = std::max(a, b + 1 - bloc); i <= b; i += par_ligne)
            __builtin_prefetch(v + i);
    }
    const size_t ja = size_t(a - 1) / bloc, jb = size_t(b - 1) / bloc;
    for (int k = 1; k <= 8; ++k) {
        if (!coches[k]) continue;
        const auto& niveaux = niveaux_[k];
        for (size_t l = 0; l < std::min(niveaux.size(), niveaux_eloignes); ++l) {
            const auto& n = niveaux[l];
            for (const size_t j : {ja >> l, (ja >> l) + 1, jb >> l, (jb >> l) ? (jb >> l) - 1 : 0})
                if (j < n.size()) __builtin_prefetch(&n[j]);
        }
    }
}

namespace {

std::pair<int, int> extremes_sans_resume(const Tableau& t, int k, int a, int b) {
    const Extremes e = avec_valeurs(t, k, [&](auto v) { return parcourt(v, a, b); });
    return {e.i_min, e.i_max};
}

struct Colonnes {
    const GeometrieTrace& geo;
    const Echelles& e;
    const Tableau& t;
    int gauche, droite;
    // Columns off the picture by more than a stroke reaches count as one on each side.
    int de(int i) const { return std::clamp(colonne_pixel(geo, e, t(1, i)), gauche - 1, droite + 1); }
    bool dedans(int c) const { return c >= gauche && c <= droite; }
};

class Emission {
  public:
    Emission(const Tableau& t, const std::array<bool, 9>& coches, Parcours& p)
        : t_(t), coches_(coches), p_(p) {}

    void run(int a, int b, bool dedans, const ResumeBlocs* resume) {
        gardes_.clear();
        for (int k = 1; k <= 8; ++k) {
            if (!coches_[k]) continue;
            gardes_.push_back({a, k});
            gardes_.push_back({b, k});
            if (!dedans || a == b) continue;
            const auto [mini, maxi] =
                resume ? resume->extremes(t_, k, a, b) : extremes_sans_resume(t_, k, a, b);
            gardes_.push_back({mini, k});
            gardes_.push_back({maxi, k});
        }
        std::sort(gardes_.begin(), gardes_.end());
        for (const auto& [i, k] : gardes_) {
            if (p_.empty() || p_.back().indice != i) p_.push_back({i, 0});
            p_.back().courbes |= uint16_t(1u << k);
        }
    }

  private:
    const Tableau& t_;
    const std::array<bool, 9>& coches_;
    Parcours& p_;
    std::vector<std::pair<int, int>> gardes_;
};

} // namespace

Parcours parcours_trace(const GeometrieTrace& geo, const Echelles& e, const Tableau& t, int n,
                        const std::array<bool, 9>& coches, int epaisseur, const ResumeBlocs* resume,
                        int depuis) {
    n = std::clamp(n, 0, t.taille());
    Parcours p;
    uint16_t toutes = 0;
    for (int k = 1; k <= 8; ++k)
        if (coches[k]) toutes |= uint16_t(1u << k);
    if (n <= geo.largeur_trace) {
        p.reserve(size_t(n));
        for (int i = 1; i <= n; ++i)
            p.push_back({i, toutes});
        return p;
    }
    const int marge = epaisseur + 2;
    const Colonnes col{geo, e, t, -marge, 2 * geo.origine_x + geo.largeur_trace + marge};
    Emission emission(t, coches, p);
    if (resume && resume->taille() == n && resume->dernier_recul() == 0) {
        // x never goes back: each column is one run of records, found by bisection.
        const auto debut_colonne = [&](int a) {
            for (int bas = 1, c = col.de(a); bas < a;) {
                const int milieu = bas + (a - bas) / 2;
                if (col.de(milieu) == c)
                    a = milieu;
                else
                    bas = milieu + 1;
            }
            return a;
        };
        // A column earlier, where every curve's line into the first column starts.
        int a = debut_colonne(std::clamp(depuis, 1, std::max(n, 1)));
        if (a > 1) a = debut_colonne(a - 1);
        // Each column's records, found by galloping from the last column's length: the probes
        // stay near each other, where bisecting the whole rest would fetch memory far away.
        struct Course {
            int a, b;
            bool dedans;
        };
        std::vector<Course> courses;
        for (int longueur = 1; a <= n;) {
            const int c = col.de(a);
            // Record bas lies in column c, record haut beyond it (or is n + 1).
            int bas = a;
            int haut = int(std::min<int64_t>(n + int64_t(1), int64_t(a) + longueur));
            for (int64_t pas = longueur; haut <= n && col.de(haut) == c; pas *= 2) {
                bas = haut;
                haut = int(std::min<int64_t>(n + int64_t(1), int64_t(haut) + pas));
            }
            while (haut - bas > 1) {
                const int milieu = bas + (haut - bas) / 2;
                (col.de(milieu) == c ? bas : haut) = milieu;
            }
            courses.push_back({a, bas, col.dedans(c)});
            longueur = std::max(1, bas - a + 1);
            a = bas + 1;
        }
        // The ends of a column's records lie a column's length apart, far from the last ones:
        // they are asked for two columns ahead, so that the memory fetches them meanwhile.
        constexpr size_t avance = 2;
        for (size_t j = 0; j < courses.size(); ++j) {
            if (j + avance < courses.size() && courses[j + avance].dedans)
                resume->annonce(t, coches, courses[j + avance].a, courses[j + avance].b);
            emission.run(courses[j].a, courses[j].b, courses[j].dedans, resume);
        }
        return p;
    }
    for (int a = 1; a <= n;) {
        const int c = col.de(a);
        int b = a;
        while (b < n && col.de(b + 1) == c)
            ++b;
        emission.run(a, b, col.dedans(c), nullptr);
        a = b + 1;
    }
    return p;
}
