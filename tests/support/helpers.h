#pragma once
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

// Small file helpers shared by the test executables.
namespace aide_test {

inline void ecrit_octets(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(chemin));
    f.write(octets);
}

inline QByteArray lit_octets(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// A sample target file of tests/data.
inline QByteArray echantillon(const QString& nom) {
    QFile f(QStringLiteral(LINTRACE_TEST_DATA "/") + nom);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(f.fileName()));
    return f.readAll();
}

// A program folder for one test: the built data files copied beside nothing else.
inline void copie_donnees(const QString& vers, const QStringList& noms) {
    for (const QString& n : noms) {
        const QString de = QStringLiteral(LINTRACE_BIN_DIR) + QLatin1Char('/') + n;
        QFile::remove(vers + QLatin1Char('/') + n);
        if (!QFile::copy(de, vers + QLatin1Char('/') + n))
            qFatal("cannot copy %s", qPrintable(de));
    }
}

// While it lives, no file of this process may grow beyond `octets`: writes fail the way they
// do on a full disk, even for root.
class LimiteTailleFichier {
public:
    explicit LimiteTailleFichier(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = avant_;
        r.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimiteTailleFichier() {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signal_);
    }
    LimiteTailleFichier(const LimiteTailleFichier&) = delete;
    LimiteTailleFichier& operator=(const LimiteTailleFichier&) = delete;

private:
    rlimit avant_{};
    void (*signal_)(int) = nullptr;
};

} // namespace aide_test
