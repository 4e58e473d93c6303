#pragma once
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

} // namespace mesure
