#include "util_rez/files/fichier_cible.h"

#include "util_rez/files/fichier_regulier.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <sys/stat.h>

int32_t taille_fichier(const QString& chemin) {
    QFile f;
    QString raison;
    if (!ouvre_regulier(f, chemin, raison)) return -1;
    const qint64 taille = f.size();
    return static_cast<int32_t>(std::min<qint64>(taille, std::numeric_limits<int32_t>::max()));
}

int32_t date_dos(const QDateTime& locale) {
    QDate d = locale.date();
    QTime t = locale.time();
    if (d.year() < 1980) {
        d = QDate(1980, 1, 1);
        t = QTime(0, 0);
    } else if (d.year() > 2107) {
        d = QDate(2107, 12, 31);
        t = QTime(23, 59, 58);
    }
    const uint32_t date = (uint32_t(d.year() - 1980) << 9) | (uint32_t(d.month()) << 5) | uint32_t(d.day());
    const uint32_t heure = (uint32_t(t.hour()) << 11) | (uint32_t(t.minute()) << 5) | uint32_t(t.second() / 2);
    return static_cast<int32_t>((date << 16) | heure);
}

int32_t age_fichier(const QString& chemin) {
    QFileInfo info(chemin);
    if (!info.exists() || info.isDir())
        return -1;
    return date_dos(info.lastModified().toLocalTime());
}

std::optional<IdentiteFichier> identite_fichier(const QString& chemin) {
    struct stat st {};
    if (::stat(QFile::encodeName(chemin).constData(), &st) != 0) return std::nullopt;
    return identite_stat(st);
}

IdentiteFichier identite_stat(const struct stat& st) {
    return IdentiteFichier{quint64(st.st_dev),       quint64(st.st_ino),        qint64(st.st_size),
                           qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec), qint64(st.st_ctim.tv_sec),
                           qint64(st.st_ctim.tv_nsec)};
}

QString nom_sans_dossier(const QString& chemin) {
    qsizetype i = chemin.size();
    while (i > 0) {
        const QChar c = chemin[i - 1];
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            break;
        --i;
    }
    return chemin.mid(i);
}
