#pragma once
#include "cible_essai.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

// CPU time, not wall clock: the machine is shared, and another process's load must not
// show up in our figures.
namespace mesure {

inline double cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline double mediane(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline double pic_memoire_mo() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss / 1024.0;
}

inline void affiche(const char* nom, const std::vector<double>& ms) {
    std::printf("%s: median %.3f ms CPU (%zu runs)\n", nom, mediane(ms), ms.size());
}

// The run the parse and spreadsheet figures are taken on: 5000 records of seven decimal
// numbers of varying widths.
inline aide_test::CibleEssai course_5000() {
    return {.titre = "Run 2024-03-18 10:42:07  station B  operator JM",
            .operateur = "Interval 1.000 s  Gain 12  Filter on",
            .noms = "Runtime T1 T2 Pressure Flow Level Counts",
            .enregistrements = 5000,
            .depart = 0.25,
            .pas = 0.25,
            .largeur_temps = 9,
            .decimales_temps = 3,
            .valeur =
                [](int i, int c) {
                    const int k = i + 1;
                    const double v[] = {20.0 + (k % 97) * 0.13771,   21.5 + (k % 89) * 0.12113,
                                        1013.25 - (k % 53) * 0.7131, (k % 211) * 0.047317,
                                        45.0 + (k % 31) * 1.53,      double(k * 37 % 100000)};
                    return v[c - 2];
                },
            .decimales = 4,
            .arrete = true};
}

// The same records, 3 000 000 of them at 100 Hz, as the bytes of one file: a whole run.
inline QByteArray octets_course_3m() {
    aide_test::CibleEssai c = course_5000();
    c.arrete = false;
    c.pas = 0.01;
    const int n = 3000000;
    QByteArray octets = c.octets();
    for (int k = 0; k < n; k += 100000)
        octets += c.ajout(k, std::min(100000, n - k));
    return octets;
}

} // namespace mesure
