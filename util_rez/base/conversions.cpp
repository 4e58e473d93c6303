#include "util_rez/base/conversions.h"

#include "util_rez/base/erreur.h"

#include <QByteArray>
#include <QLocale>
#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

// The C library formats and reads numbers by the process locale, which Qt sets from the
// environment; these conversions always want the point, so they switch to "C" meanwhile.
class LocaleC {
public:
    LocaleC() : c_(newlocale(LC_ALL_MASK, "C", nullptr)), ancienne_(c_ ? uselocale(c_) : nullptr) {}
    ~LocaleC() {
        if (c_) {
            uselocale(ancienne_);
            freelocale(c_);
        }
    }
    LocaleC(const LocaleC&) = delete;
    LocaleC& operator=(const LocaleC&) = delete;

private:
    locale_t c_;
    locale_t ancienne_;
};

ErreurRez entier_invalide(const QString& texte) {
    return ErreurRez(ErreurRez::Genre::EntierInvalide, {texte},
                     QStringLiteral("'%1' is not a valid integer value.").arg(texte));
}

ErreurRez reel_invalide(const QString& texte) {
    return ErreurRez(ErreurRez::Genre::ReelInvalide, {texte},
                     QStringLiteral("'%1' is not a valid floating point value.").arg(texte));
}

} // namespace

bool essaie_StrToInt(const QString& texte, int32_t& valeur) {
    int i = 0;
    const int n = static_cast<int>(texte.size());
    while (i < n && texte[i] == QLatin1Char(' '))
        ++i;
    bool negatif = false;
    if (i < n && (texte[i] == QLatin1Char('-') || texte[i] == QLatin1Char('+'))) {
        negatif = texte[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= n)
        return false;
    int64_t v = 0;
    for (; i < n; ++i) {
        const QChar c = texte[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return false;
    }
    if (negatif)
        v = -v;
    if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min())
        return false;
    valeur = static_cast<int32_t>(v);
    return true;
}

int32_t StrToInt(const QString& texte) {
    int32_t v = 0;
    if (!essaie_StrToInt(texte, v))
        throw entier_invalide(texte);
    return v;
}

long double StrToFloat(const QString& texte, QChar separateur) {
    const QString t = texte.trimmed();
    if (t.isEmpty())
        throw reel_invalide(texte);
    QByteArray c;
    c.reserve(t.size());
    for (QChar ch : t) {
        if (ch == separateur)
            c.append('.');
        else if (ch == QLatin1Char('.') || ch.unicode() > 127 || ch.isSpace())
            throw reel_invalide(texte);
        else
            c.append(static_cast<char>(ch.unicode()));
    }
    // strtold accepts hexadecimal, infinities and NaN, which are no decimal numbers.
    for (char ch : c) {
        const bool permis = (ch >= '0' && ch <= '9') || ch == '.' || ch == '+' || ch == '-' || ch == 'e' ||
                            ch == 'E';
        if (!permis)
            throw reel_invalide(texte);
    }
    const LocaleC locale_c;
    char* fin = nullptr;
    errno = 0;
    const long double v = std::strtold(c.constData(), &fin);
    if (fin == c.constData() || *fin != '\0' || errno == ERANGE || !std::isfinite(v))
        throw reel_invalide(texte);
    return v;
}

QString FloatToStr(long double valeur, QChar separateur) {
    if (valeur == 0)
        return QStringLiteral("0");
    const long double a = std::fabs(valeur);
    const LocaleC locale_c;
    char buf[64];
    if (a >= 1e-5L && a < 1e15L) {
        std::snprintf(buf, sizeof buf, "%.15Lg", valeur);
        QString s = QString::fromLatin1(buf);
        if (!s.contains(QLatin1Char('e'))) {
            s.replace(QLatin1Char('.'), separateur);
            return s;
        }
        // %g switches to an exponent below 1e-4; write those small values out in full.
        std::snprintf(buf, sizeof buf, "%.20Lf", valeur);
        QString f = QString::fromLatin1(buf);
        std::snprintf(buf, sizeof buf, "%.14Le", valeur);
        const long double arrondi = std::strtold(buf, nullptr);
        std::snprintf(buf, sizeof buf, "%.20Lf", arrondi);
        f = QString::fromLatin1(buf);
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        if (f.endsWith(QLatin1Char('.')))
            f.chop(1);
        f.replace(QLatin1Char('.'), separateur);
        return f;
    }
    std::snprintf(buf, sizeof buf, "%.15Lg", valeur);
    QString s = QString::fromLatin1(buf);
    const int e = static_cast<int>(s.indexOf(QLatin1Char('e')));
    QString mantisse = s.left(e);
    QString exposant = s.mid(e + 1);
    const bool moins = exposant.startsWith(QLatin1Char('-'));
    exposant.remove(0, 1);
    while (exposant.size() > 1 && exposant.startsWith(QLatin1Char('0')))
        exposant.remove(0, 1);
    mantisse.replace(QLatin1Char('.'), separateur);
    return mantisse + QLatin1Char('E') + (moins ? QStringLiteral("-") : QString()) + exposant;
}

long double arrondi_pair(long double v) {
    const int ancien = std::fegetround();
    if (ancien == FE_TONEAREST)
        return std::nearbyintl(v);
    std::fesetround(FE_TONEAREST);
    const long double r = std::nearbyintl(v);
    std::fesetround(ancien);
    return r;
}

int64_t Round(long double v) {
    return static_cast<int64_t>(arrondi_pair(v));
}

QChar separateur_locale() {
    const QString s = QLocale().decimalPoint();
    return s.isEmpty() ? QLatin1Char('.') : s.front();
}
