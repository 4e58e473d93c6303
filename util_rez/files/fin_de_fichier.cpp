#include "util_rez/files/fin_de_fichier.h"

#include <QFile>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How much of what comes before the replaced end is compared as well: enough to see a writer
// that rewrote its last lines in place.
constexpr qint64 temoin = 4096;

bool lit_a(int fd, QByteArray& octets, qint64 position) {
    qint64 lus = 0;
    while (lus < octets.size()) {
        const ssize_t n = ::pread(fd, octets.data() + lus, size_t(octets.size() - lus), position + lus);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        lus += n;
    }
    return true;
}

bool ecrit_tout(int fd, const QByteArray& octets, qint64& ecrits) {
    while (ecrits < octets.size()) {
        const ssize_t n = ::write(fd, octets.constData() + ecrits, size_t(octets.size() - ecrits));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        ecrits += n;
    }
    return true;
}

bool est_attendu(int fd, const struct stat& st, const FinAttendue& attendue) {
    if (!S_ISREG(st.st_mode) || identite_stat(st) != attendue.identite || st.st_size != attendue.taille)
        return false;
    QByteArray lu(attendue.queue.size(), Qt::Uninitialized);
    return lit_a(fd, lu, attendue.taille - attendue.queue.size()) && lu == attendue.queue;
}

Remplacement echec(QString& raison) {
    raison = qt_error_string(errno);
    return Remplacement::Echec;
}

} // namespace

FinAttendue fin_attendue(const IdentiteFichier& identite, const QByteArray& octets, qint64 debut) {
    return FinAttendue{identite, octets.size(), debut, octets.sliced(std::max<qint64>(0, debut - temoin))};
}

Remplacement remplace_fin(const QString& chemin, const FinAttendue& attendue, const QByteArray& nouvelle,
                          std::optional<FinAttendue>& apres, QString& raison) {
    apres.reset();
    // Links are followed: the inode compared below is the one that was read. O_NONBLOCK keeps a
    // pipe put in its place from holding the open.
    const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDWR | O_APPEND | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const bool absent = errno == ENOENT;
        echec(raison);
        return absent ? Remplacement::Absent : Remplacement::Echec;
    }
    const auto ferme = qScopeGuard([fd] { ::close(fd); });
    struct stat st {};
    if (::fstat(fd, &st) != 0) return echec(raison);
    if (!est_attendu(fd, st, attendue)) return Remplacement::Change;
    if (attendue.debut < attendue.taille && ::ftruncate(fd, attendue.debut) != 0) return echec(raison);
    qint64 ecrits = 0;
    if (!ecrit_tout(fd, nouvelle, ecrits)) {
        const int erreur = errno;
        // Only our own bytes are taken back: not when a writer's came after them.
        if (ecrits > 0 && ::fstat(fd, &st) == 0 && st.st_size == attendue.debut + ecrits)
            (void)!::ftruncate(fd, attendue.debut);
        errno = erreur;
        return echec(raison);
    }
    if (::fsync(fd) != 0 || ::fstat(fd, &st) != 0) return echec(raison);
    if (st.st_size == attendue.debut + nouvelle.size()) {
        const QByteArray garde = attendue.queue.first(attendue.queue.size() - (attendue.taille - attendue.debut));
        apres = FinAttendue{identite_stat(st), st.st_size, attendue.debut, garde + nouvelle};
    }
    return Remplacement::Fait;
}
