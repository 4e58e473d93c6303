#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

// What the fuzz targets share: the input as bytes, a check that stops the run at the first
// broken promise, and a file in memory for the readers that take a path.
namespace fuzz {

inline QByteArray octets(const uint8_t* data, size_t taille) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(taille));
}

// A promise the code makes and the input broke: libFuzzer keeps the input that did it.
#define FUZZ_VERIFIE(condition)                                                                              \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);                     \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

// A regular file without a disk, reached by a path: its bytes are replaced at every run.
class FichierMemoire {
  public:
    FichierMemoire() : fd_(memfd_create("lintrace-fuzz", MFD_CLOEXEC)) {}
    ~FichierMemoire() { ::close(fd_); }
    QString dossier() const { return QStringLiteral("/proc/self/fd"); }
    QString nom() const { return QString::number(fd_); }
    QString chemin() const { return dossier() + QLatin1Char('/') + nom(); }
    void remplace(const QByteArray& b) {
        if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, b.constData(), size_t(b.size()), 0) != b.size())
            std::abort();
    }

  private:
    int fd_;
};

// The input cut in two at its first NUL byte (all in the first part when there is none).
inline std::pair<QByteArray, QByteArray> coupe_en_deux(const QByteArray& b) {
    const qsizetype i = b.indexOf('\0');
    if (i < 0) return {b, {}};
    return {b.first(i), b.sliced(i + 1)};
}

} // namespace fuzz
