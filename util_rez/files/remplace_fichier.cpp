#include "util_rez/files/remplace_fichier.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace {

// A full disk first takes part of a write without an error; the next write says why.
bool ecrit_tout(QSaveFile& f, const QByteArray& octets) {
    qint64 fait = 0;
    while (fait < octets.size()) {
        const qint64 n = f.write(octets.constData() + fait, octets.size() - fait);
        if (n <= 0) return false;
        fait += n;
    }
    return f.error() == QFileDevice::NoError;
}

} // namespace

std::optional<QString> intrus(const QString& chemin) {
    struct stat st {};
    if (::lstat(QFile::encodeName(chemin).constData(), &st) != 0) return std::nullopt;
    if (S_ISLNK(st.st_mode)) return QStringLiteral("A link to another file");
    if (S_ISDIR(st.st_mode)) return qt_error_string(EISDIR);
    if (!S_ISREG(st.st_mode)) return QStringLiteral("Not a regular file");
    return std::nullopt;
}

bool remplace_fichier(const QString& chemin, const QByteArray& octets, QString& raison, Lien lien) {
    if (lien == Lien::Refuse) {
        if (const std::optional<QString> r = intrus(chemin)) {
            raison = *r;
            return false;
        }
    }
    // A device, a pipe or a folder behind the name is never the user's file to replace: the
    // rename would put a plain file in its place (in /dev, as root).
    const QFileInfo info(chemin);
    if (info.exists() && !info.isFile()) {
        raison = QStringLiteral("Not a regular file");
        return false;
    }
    // The temporary file goes beside a link's target, found by its name as a text: a target
    // named in bytes that are no UTF-8 would get a new file beside it, reported as written.
    if (info.isSymLink()) {
        if (char* reel = ::realpath(QFile::encodeName(chemin).constData(), nullptr)) {
            const QByteArray octets_reels(reel);
            std::free(reel);
            if (QFile::encodeName(QFile::decodeName(octets_reels)) != octets_reels) {
                raison = QStringLiteral("The linked file's name is not valid UTF-8");
                return false;
            }
        }
    }
    QSaveFile f(chemin);
    // Unbuffered, so a failed write reports the system's own reason.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        raison = f.errorString();
        return false;
    }
    // commit() does not see a failure of a write it flushes: a full disk would end as a short
    // file reported as written. Every byte is written first; the temporary file goes with `f`
    // when it is not committed.
    if (!ecrit_tout(f, octets)) {
        raison = f.errorString();
        return false;
    }
    if (!f.commit()) {
        raison = f.errorString();
        return false;
    }
    return true;
}
