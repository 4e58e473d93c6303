#include "util_rez/output/nombre_tableur.h"

#include "util_rez/base/texte.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

QString sans_virgule(double valeur) {
    if (std::isnan(valeur))
        return QStringLiteral("NAN");
    if (std::isinf(valeur))
        return valeur < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (valeur == 0)
        return QStringLiteral("0");
    // to_chars rounds correctly to 15 digits and ignores the locale, unlike printf.
    char buf[32];
    const auto fin =
        std::to_chars(buf, buf + sizeof buf, std::fabs(valeur), std::chars_format::scientific, 14).ptr;
    const std::string s(buf, fin);
    const auto e = s.find('e');
    std::string chiffres = s.substr(0, 1) + s.substr(2, e - 2);
    int exposant = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exposant);
    while (chiffres.size() > 1 && chiffres.back() == '0')
        chiffres.pop_back();

    std::string r = valeur < 0 ? "-" : "";
    const int n = static_cast<int>(chiffres.size());
    if (exposant < -4 || exposant >= 15) {
        r += chiffres[0];
        if (n > 1)
            r += '.' + chiffres.substr(1);
        r += 'E' + std::to_string(exposant);
    } else if (exposant < 0) {
        r += "0." + std::string(-exposant - 1, '0') + chiffres;
    } else if (exposant + 1 >= n) {
        r += chiffres + std::string(exposant + 1 - n, '0');
    } else {
        r += chiffres.substr(0, exposant + 1) + '.' + chiffres.substr(exposant + 1);
    }
    return QString::fromLatin1(r);
}

} // namespace

QString nombre_tableur(double valeur, bool virgule) {
    const QString t = sans_virgule(valeur);
    return virgule ? remplace_car(t, u'.', u',') : remplace_car(t, u',', u'.');
}
