#include "util_rez/files/fichier_regulier.h"

#include "util_rez/base/erreur.h"

#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString raison_type(mode_t mode) {
    return S_ISDIR(mode) ? qt_error_string(EISDIR) : QStringLiteral("Not a regular file");
}

} // namespace

bool ouvre_regulier(QFile& f, const QString& chemin, QString& raison) {
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat st {};
    if (::stat(nom.constData(), &st) != 0) {
        raison = qt_error_string(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        raison = raison_type(st.st_mode);
        return false;
    }
    // Without O_NONBLOCK the open itself waits for a writer when a pipe has taken the name.
    const int fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        raison = qt_error_string(errno);
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        raison = raison_type(st.st_mode);
        ::close(fd);
        return false;
    }
    if (!f.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        raison = f.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

ErreurRez ouverture_impossible(const QString& chemin, const QString& raison) {
    const QString debut = QStringLiteral("Cannot open file \"%1\". ").arg(chemin);
    // The two common causes get words of their own; the system's reason is English at best.
    // A name that cannot be looked up (a folder on the way closed, a name too long) is not a
    // missing file: the system's reason says what it is.
    struct stat st {};
    if (::stat(QFile::encodeName(chemin).constData(), &st) != 0) {
        const int erreur = errno;
        if (erreur != ENOENT)
            return ErreurRez(ErreurRez::Genre::FichierIllisible, {chemin, qt_error_string(erreur)},
                             debut + qt_error_string(erreur));
        return ErreurRez(ErreurRez::Genre::FichierAbsent, {chemin},
                         debut + QStringLiteral("No such file or directory."));
    }
    const QFileInfo info(chemin);
    if (info.isFile() && !info.isReadable())
        return ErreurRez(ErreurRez::Genre::FichierRefuse, {chemin},
                         debut + QStringLiteral("Permission denied."));
    return ErreurRez(ErreurRez::Genre::FichierIllisible, {chemin, raison}, debut + raison);
}

void ouvre_regulier(QFile& f, const QString& chemin) {
    QString raison;
    if (!ouvre_regulier(f, chemin, raison)) throw ouverture_impossible(chemin, raison);
}
