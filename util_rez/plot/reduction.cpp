#include "util_rez/plot/reduction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int bloc = 32;

// A value no record has gives the row far below the picture that minus infinity gives.
double cle(double v) {
    return std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
}

double valeur(const Tableau& t, int k, int i) {
    return cle(t(k + 1, i));
}

// The earlier record wins a tie, so that any way of cutting a run gives the same records.
void retient(const Tableau& t, int k, std::pair<int, int>& r, const std::pair<int, int>& autre) {
    if (valeur(t, k, autre.first) < valeur(t, k, r.first)) r.first = autre.first;
    if (valeur(t, k, autre.second) > valeur(t, k, r.second)) r.second = autre.second;
}

std::pair<int, int> parcourt(const Tableau& t, int k, int a, int b) {
    std::pair<int, int> r{a, a};
    for (int i = a + 1; i <= b; ++i)
        retient(t, k, r, {i, i});
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
        for (int j = j0; j < nb; ++j)
            niveaux[0][j] = parcourt(t, k, j * bloc + 1, std::min(n_, (j + 1) * bloc));
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
                if (size_t(2 * j + 1) < dessous.size()) retient(t, k, niveau[j], dessous[2 * j + 1]);
            }
        }
        niveaux.resize(std::min(niveaux.size(), std::max<size_t>(l, 1)));
    }
}

std::pair<int, int> ResumeBlocs::extremes(const Tableau& t, int k, int a, int b) const {
    const auto& niveaux = niveaux_[k];
    std::pair<int, int> r{a, a};
    for (int i = a; i <= b;) {
        int l = -1;
        if ((i - 1) % bloc == 0) {
            const int j = (i - 1) / bloc;
            while (size_t(l + 1) < niveaux.size() && j % (1 << (l + 1)) == 0 &&
                   i - 1 + (bloc << (l + 1)) <= b)
                ++l;
        }
        if (l < 0) {
            retient(t, k, r, {i, i});
            ++i;
            continue;
        }
        retient(t, k, r, niveaux[l][((i - 1) / bloc) >> l]);
        i += bloc << l;
    }
    return r;
}

namespace {

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
    Emission(const Tableau& t, const std::array<bool, 9>& coches, Parcours& p) : t_(t), coches_(coches), p_(p) {}

    void run(int a, int b, bool dedans, const ResumeBlocs* resume) {
        gardes_.clear();
        for (int k = 1; k <= 8; ++k) {
            if (!coches_[k]) continue;
            gardes_.push_back({a, k});
            gardes_.push_back({b, k});
            if (!dedans || a == b) continue;
            const auto [mini, maxi] = resume ? resume->extremes(t_, k, a, b) : parcourt(t_, k, a, b);
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
        while (a <= n) {
            const int c = col.de(a);
            int bas = a, haut = n; // the last record in column c lies in [bas, haut]
            while (bas < haut) {
                const int milieu = bas + (haut - bas + 1) / 2;
                if (col.de(milieu) == c)
                    bas = milieu;
                else
                    haut = milieu - 1;
            }
            emission.run(a, bas, col.dedans(c), resume);
            a = bas + 1;
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
