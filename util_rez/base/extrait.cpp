#include "util_rez/base/extrait.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <optional>
#include <string>

namespace {

// Right then left, as coupe_espaces_droite and coupe_espaces_gauche do.
template <typename Vue> Vue sans_blancs(Vue f) {
    while (!f.isEmpty() && code_car(f.back()) == u' ')
        f.chop(1);
    while (f.size() > 1 && code_car(f.front()) == u' ')
        f = f.sliced(1);
    return f;
}

template <typename Car> bool est_chiffre(Car c) {
    return code_car(c) >= u'0' && code_car(c) <= u'9';
}

// Up to 19 significant decimal digits fit a 64-bit integer, which the 64-bit significand
// of the extended real holds exactly; so do the powers of ten up to 10^27. One product or
// quotient of the two is then correctly rounded, the same value the C library would give.
constexpr int max_chiffres_exacts = 19;
constexpr int max_puissance_exacte = 27;
constexpr long borne_exposant = 1000000;
constexpr bool calcul_exact_possible = std::numeric_limits<long double>::digits >= 64;

constexpr std::array<long double, max_puissance_exacte + 1> puissances_de_10 = [] {
    std::array<long double, max_puissance_exacte + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= max_puissance_exacte; ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

struct Decimal {
    bool negatif = false;
    bool mantisse = false;
    uint64_t chiffres = 0;
    int nb_significatifs = 0;
    long puissance = 0;          // value = chiffres * 10^puissance while nb_significatifs <= 19
    bool exposant_borne = false; // the exponent was too long to count: puissance is no value

    void ajoute(char16_t c, bool fraction) {
        mantisse = true;
        const int d = c - u'0';
        if (nb_significatifs == 0 && d == 0) {
            if (fraction) --puissance;
            return;
        }
        if (++nb_significatifs > max_chiffres_exacts) return;
        chiffres = chiffres * 10 + static_cast<uint64_t>(d);
        if (fraction) --puissance;
    }
};

const locale_t locale_c = newlocale(LC_ALL_MASK, "C", locale_t{});

// The rare long or far-out numbers go through the C library, in the C locale so that the
// point stays the decimal mark whatever the user's settings. The text has passed the grammar:
// it is plain ASCII and holds at most one comma, in the place of the point.
template <typename Vue> long double par_bibliotheque(Vue f) {
    std::string ascii(static_cast<size_t>(f.size()), '.');
    for (qsizetype i = 0; i < f.size(); ++i)
        if (code_car(f[i]) != u',') ascii[static_cast<size_t>(i)] = static_cast<char>(code_car(f[i]));
    errno = 0;
    return strtold_l(ascii.c_str(), nullptr, locale_c);
}

template <typename Vue> std::optional<long double> valeur(const Decimal& d, Vue f) {
    if (!d.mantisse) return 0.0L;
    if (d.nb_significatifs == 0) return d.negatif ? -0.0L : 0.0L;
    long double v;
    if (calcul_exact_possible && !d.exposant_borne && d.nb_significatifs <= max_chiffres_exacts &&
        std::labs(d.puissance) <= max_puissance_exacte) {
        v = static_cast<long double>(d.chiffres);
        v = d.puissance >= 0 ? v * puissances_de_10[d.puissance] : v / puissances_de_10[-d.puissance];
        if (d.negatif) v = -v;
    } else {
        v = par_bibliotheque(f);
    }
    // The table holds 64-bit reals: a value it cannot hold must not become an infinity there.
    if (!std::isfinite(static_cast<double>(v))) return std::nullopt;
    return v;
}

template <typename Vue> bool lit_exposant(Vue f, qsizetype& i, Decimal& d) {
    const qsizetype n = f.size();
    bool negatif = false;
    if (i < n && (code_car(f[i]) == u'+' || code_car(f[i]) == u'-')) negatif = code_car(f[i++]) == u'-';
    if (i == n || !est_chiffre(f[i])) return false;
    long e = 0;
    for (; i < n && est_chiffre(f[i]); ++i) {
        e = e * 10 + (code_car(f[i]) - u'0');
        // Leading fraction zeros may take back any exponent: past the bound only the library,
        // which reads the whole text, knows the value.
        if (e > borne_exposant) {
            e = borne_exposant;
            d.exposant_borne = true;
        }
    }
    d.puissance += negatif ? -e : e;
    return true;
}

// Only the place of the point can take a comma: anywhere else a comma, first or not, makes
// the text no number, with or without the exchange for a point.
template <typename Vue> std::optional<long double> lit_decimal(Vue f) {
    const qsizetype n = f.size();
    qsizetype i = 0;
    Decimal d;
    if (i < n && (code_car(f[i]) == u'+' || code_car(f[i]) == u'-')) d.negatif = code_car(f[i++]) == u'-';
    if (i == n) return std::nullopt;
    for (; i < n && est_chiffre(f[i]); ++i)
        d.ajoute(code_car(f[i]), false);
    if (i < n && (code_car(f[i]) == u'.' || code_car(f[i]) == u','))
        for (++i; i < n && est_chiffre(f[i]); ++i)
            d.ajoute(code_car(f[i]), true);
    if (i < n && (code_car(f[i]) == u'e' || code_car(f[i]) == u'E') && !lit_exposant(f, ++i, d))
        return std::nullopt;
    if (i != n) return std::nullopt;
    return valeur(d, f);
}

} // namespace

template <typename Vue> Vue ChampsDe<Vue>::suivant() {
    const qsizetype fin = ligne_.size();
    while (i_ < fin && code_car(ligne_[i_]) == sep_)
        ++i_;
    const qsizetype debut = i_;
    while (i_ < fin && code_car(ligne_[i_]) != sep_)
        ++i_;
    return sans_blancs(ligne_.sliced(debut, i_ - debut));
}

template class ChampsDe<QStringView>;
template class ChampsDe<QByteArrayView>;

QStringView vue_champ(QStringView ligne, int n, QChar sep) {
    if (n < 1) return {};
    Champs champs(ligne, sep);
    while (--n > 0)
        champs.suivant();
    return champs.suivant();
}

QString _extrait(const QString& ligne, int n, QChar sep) {
    // Only an empty line collapses to nothing, so the marker always encloses an empty text.
    if (ligne.isEmpty()) return QStringLiteral("_extraitUTIL<>");
    return vue_champ(ligne, n, sep).toString();
}

long double lit_reel(QStringView champ, long double defaut) {
    return lit_decimal(champ).value_or(defaut);
}

long double lit_reel(QByteArrayView champ, long double defaut) {
    return lit_decimal(champ).value_or(defaut);
}

long double extrait_reel(QStringView ligne, int n, QChar sep, long double defaut) {
    return lit_reel(vue_champ(ligne, n, sep), defaut);
}

long double extrait_reel(const QString& ligne, int n, QChar sep, long double defaut) {
    return extrait_reel(QStringView(ligne), n, sep, defaut);
}
