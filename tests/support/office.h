#pragma once
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <cerrno>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// LibreOffice as the tests use it: a private profile per test program, so that no desktop
// session is disturbed, and every office process started on it ended afterwards.
namespace aide_test {

// Processes whose environment or command line names this profile.
inline QList<qint64> processus_du_profil(const QByteArray& profil) {
    QList<qint64> pids;
    QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString d = it.next();
        bool nombre = false;
        const qint64 pid = QFileInfo(d).fileName().toLongLong(&nombre);
        if (!nombre || pid == QCoreApplication::applicationPid())
            continue;
        for (const char* f : {"/environ", "/cmdline"}) {
            QFile x(d + QLatin1String(f));
            if (x.open(QIODevice::ReadOnly) && x.readAll().contains(profil)) {
                pids << pid;
                break;
            }
        }
    }
    return pids;
}

inline void termine_processus(const QByteArray& profil, int attente_ms) {
    QElapsedTimer t;
    t.start();
    while (!processus_du_profil(profil).isEmpty() && t.elapsed() < attente_ms)
        QThread::msleep(200);
    for (qint64 pid : processus_du_profil(profil))
        ::kill(static_cast<pid_t>(pid), SIGKILL);
}

// True when nothing listens on the socket at `chemin` any more.
inline bool socket_abandonne(const QString& chemin) {
    const QByteArray nom = QFile::encodeName(chemin);
    sockaddr_un adresse{};
    if (nom.size() >= qsizetype(sizeof adresse.sun_path))
        return false;
    adresse.sun_family = AF_UNIX;
    std::copy(nom.begin(), nom.end(), adresse.sun_path);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (s < 0)
        return false;
    const bool refuse = ::connect(s, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse) != 0 &&
                        errno == ECONNREFUSED;
    ::close(s);
    return refuse;
}

// An office ended by a signal leaves its pipes in /tmp: those made since `depuis` that no
// office listens on go with it.
inline void enleve_tubes_abandonnes(const QDateTime& depuis) {
    const QString prefixe = QStringLiteral("OSL_PIPE_%1_").arg(::getuid());
    QDir tmp(QStringLiteral("/tmp"));
    for (const QFileInfo& f : tmp.entryInfoList({prefixe + u'*'}, QDir::System | QDir::Hidden))
        if (f.lastModified() >= depuis && socket_abandonne(f.filePath()))
            QFile::remove(f.filePath());
}

class ProfilOffice {
  public:
    ProfilOffice() : url_(QUrl::fromLocalFile(dossier_.path()).toString(QUrl::FullyEncoded)) {}
    ~ProfilOffice() {
        termine_processus(url_.toUtf8(), 0);
        enleve_tubes_abandonnes(debut_);
    }
    const QString& url() const { return url_; }
    // Offices started by this process from now on use the profile.
    void pour_ce_processus() const { qputenv("UserInstallation", url_.toUtf8()); }
    // Waits for the offices of the profile to end, then ends those left.
    void attend_la_fin(int attente_ms) const { termine_processus(url_.toUtf8(), attente_ms); }

  private:
    QTemporaryDir dossier_;
    QString url_;
    QDateTime debut_ = QDateTime::currentDateTime().addSecs(-1);
};

struct CelluleCsv {
    QString texte;
    bool texte_cite = false; // the office wrote it quoted: a text cell, not a number
};

inline QList<QList<CelluleCsv>> lit_csv(const QString& t) {
    QList<QList<CelluleCsv>> lignes(1);
    QList<CelluleCsv>* l = &lignes.back();
    l->append(CelluleCsv{});
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'"') {
            l->back().texte_cite = true;
            for (++i; i < t.size(); ++i) {
                if (t[i] == u'"' && i + 1 < t.size() && t[i + 1] == u'"')
                    l->back().texte += t[++i];
                else if (t[i] == u'"')
                    break;
                else
                    l->back().texte += t[i];
            }
        } else if (c == u',') {
            l->append(CelluleCsv{});
        } else if (c == u'\n') {
            lignes.append(QList<CelluleCsv>{});
            l = &lignes.back();
            l->append(CelluleCsv{});
        } else if (c != u'\r') {
            l->back().texte += c;
        }
    }
    while (!lignes.isEmpty() && lignes.back().size() == 1 && lignes.back().front().texte.isEmpty() &&
           !lignes.back().front().texte_cite)
        lignes.removeLast();
    return lignes;
}

// The first sheet of a spreadsheet file as LibreOffice reads it, through its own converter
// run on a profile of its own, every text cell quoted.
inline QList<QList<CelluleCsv>> feuille_par_office(const QString& fichier) {
    ProfilOffice profil;
    QTemporaryDir sortie;
    QProcess p;
    p.start(QStringLiteral("soffice"),
            {QStringLiteral("-env:UserInstallation=") + profil.url(), QStringLiteral("--headless"),
             QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
             QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true,true"),
             QStringLiteral("--outdir"), sortie.path(), fichier});
    if (!p.waitForFinished(180000)) {
        profil.attend_la_fin(0);
        return {};
    }
    profil.attend_la_fin(10000);
    QFile csv(sortie.filePath(QFileInfo(fichier).completeBaseName() + QStringLiteral(".csv")));
    if (!csv.open(QIODevice::ReadOnly))
        return {};
    return lit_csv(QString::fromUtf8(csv.readAll()));
}

// A number cell as the office shows it, in whatever decimal mark its locale uses.
inline bool montre_le_nombre(const CelluleCsv& x, double attendu) {
    bool ok = false;
    const double v = QString(x.texte).replace(u',', u'.').toDouble(&ok);
    return ok && !x.texte_cite && std::abs(v - attendu) <= 1e-9 * std::max(1.0, std::abs(attendu));
}

// Every cell of the sheet, compared with what a test expects at (row, column) from 1: each
// expected text in a text cell, each expected number in a number cell, every other cell empty.
// Returns the first difference.
inline QString difference(const QList<QList<CelluleCsv>>& feuille, const QMap<QPair<int, int>, QString>& attendu,
                          const QMap<QPair<int, int>, double>& nombres = {}) {
    QMap<QPair<int, int>, QString> reste = attendu;
    for (qsizetype r = 0; r < feuille.size(); ++r) {
        for (qsizetype c = 0; c < feuille[r].size(); ++c) {
            const QPair<int, int> pos(int(r) + 1, int(c) + 1);
            const CelluleCsv& x = feuille[r][c];
            if (nombres.contains(pos) && !montre_le_nombre(x, nombres[pos]))
                return QStringLiteral("row %1 column %2: \"%3\", expected the number %4")
                    .arg(pos.first)
                    .arg(pos.second)
                    .arg(x.texte)
                    .arg(nombres[pos]);
            if (nombres.contains(pos))
                continue;
            const QString voulu = reste.take(pos);
            if (x.texte != voulu || (!voulu.isEmpty() && !x.texte_cite))
                return QStringLiteral("row %1 column %2: \"%3\"%4, expected \"%5\"")
                    .arg(pos.first)
                    .arg(pos.second)
                    .arg(x.texte, x.texte_cite ? QString() : QStringLiteral(" (not a text)"), voulu);
        }
    }
    for (auto it = reste.begin(); it != reste.end(); ++it)
        if (!it.value().isEmpty())
            return QStringLiteral("row %1 column %2 missing: \"%3\"")
                .arg(it.key().first)
                .arg(it.key().second)
                .arg(it.value());
    return {};
}

} // namespace aide_test
