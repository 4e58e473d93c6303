#include "util_rez/shell/onde.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
void ajoute32(QByteArray& o, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    o.append(b, 4);
}
void ajoute16(QByteArray& o, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    o.append(b, 2);
}
} // namespace

QByteArray onde_sinus(int frequence_hz, int duree_ms, int echantillons_par_s) {
    const int n = std::max(1, echantillons_par_s * duree_ms / 1000);
    const int bord = std::max(1, std::min(n / 4, echantillons_par_s / 200));
    QByteArray o;
    o.append("RIFF");
    ajoute32(o, 36 + 2 * n);
    o.append("WAVEfmt ");
    ajoute32(o, 16);
    ajoute16(o, 1);
    ajoute16(o, 1);
    ajoute32(o, echantillons_par_s);
    ajoute32(o, echantillons_par_s * 2);
    ajoute16(o, 2);
    ajoute16(o, 16);
    o.append("data");
    ajoute32(o, 2 * n);
    for (int i = 0; i < n; ++i) {
        const double enveloppe = std::min({1.0, double(i) / bord, double(n - 1 - i) / bord});
        const double v = 0.5 * enveloppe * std::sin(2 * std::numbers::pi * frequence_hz * i / echantillons_par_s);
        ajoute16(o, static_cast<quint16>(static_cast<qint16>(v * 32767)));
    }
    return o;
}
