// The writer of the race test: appends a record 50 times a second, opening and closing the
// file each time as a logger does, and meanwhile does to the file what happens to files:
// cuts it, rewrites it shorter, replaces it by a rename, removes it and brings it back, makes
// it unreadable (mode 000, then a pipe and a link to a device in its place) and readable
// again. Every record k holds k * 0.02, then k, k+1, ..., k+5, so a reader can tell any value
// it shows from one that was never written. Ends with "Stopped" and prints what it wrote.
#include "cible_essai.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const aide_test::CibleEssai course{.titre = "Race bench",
                                   .operateur = "Writer",
                                   .pas = 0.02,
                                   .valeur = [](int k, int c) { return k + c - 2; }};
const std::string entete = course.octets().toStdString();
std::string chemin;
long phase_ms = 2000;
long ecrits = 0;

std::string enregistrement(long k) {
    return course.ajout(int(k)).toStdString();
}

void ecrit(int flags, const std::string& texte, const std::string& vers = chemin) {
    const int fd = ::open(vers.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0644);
    if (fd < 0 || ::write(fd, texte.data(), texte.size()) != ssize_t(texte.size())) {
        std::fprintf(stderr, "cannot write %s: %s\n", vers.c_str(), std::strerror(errno));
        std::exit(1);
    }
    ::close(fd);
}

std::string debut(long n) {
    return entete + course.ajout(0, int(n)).toStdString();
}

void pause(long ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Records at 50 Hz for one phase, from record k on.
void ajoute(long& k) {
    for (long t = 0; t < phase_ms; t += 20, ++k, ++ecrits) {
        ecrit(O_APPEND, enregistrement(k));
        pause(20);
    }
}

// The name taken by something that is no file to read, while the file waits aside.
void remplace_par(void (*fait)(const char*)) {
    const std::string cote = chemin + ".aside";
    std::rename(chemin.c_str(), cote.c_str());
    fait(chemin.c_str());
    pause(phase_ms);
    ::unlink(chemin.c_str());
    std::rename(cote.c_str(), chemin.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    chemin = argv[1];
    if (argc > 2) phase_ms = std::atol(argv[2]);
    const long tours = argc > 3 ? std::atol(argv[3]) : 1;
    ecrit(O_TRUNC, entete);
    long k = 0;
    for (long tour = 0; tour < tours; ++tour) {
        ajoute(k);
        if (::truncate(chemin.c_str(), off_t(entete.size())) != 0) return 1; // cut
        ajoute(k);
        ecrit(O_TRUNC, debut(10)); // rewritten shorter
        ajoute(k);
        ecrit(O_TRUNC, debut(20), chemin + ".new"); // replaced by a rename
        std::rename((chemin + ".new").c_str(), chemin.c_str());
        ajoute(k);
        ::unlink(chemin.c_str()); // removed, then brought back
        pause(phase_ms);
        ecrit(O_TRUNC, debut(5));
        ajoute(k);
        ::chmod(chemin.c_str(), 0); // unreadable, for all but root
        pause(phase_ms);
        ::chmod(chemin.c_str(), 0644);
        remplace_par([](const char* c) { ::mkfifo(c, 0600); });
        remplace_par([](const char* c) { (void)::symlink("/dev/zero", c); });
        ajoute(k);
    }
    ecrit(O_APPEND, "\"Stopped\"\r\n\"Count Summary\"\r\n");
    std::printf("records written: %ld\n", ecrits);
    return 0;
}
