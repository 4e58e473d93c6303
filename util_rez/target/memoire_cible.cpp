#include "util_rez/target/memoire_cible.h"

#include <QFile>

namespace {

// Held per byte of the file: the bytes, where each line begins (8 bytes a line) and the table's
// reals (64 bytes a record): a record line of about 50 bytes costs 3 bytes per byte of it,
// with room for the vectors growing.
constexpr qint64 octets_par_octet = 3;

} // namespace

qint64 memoire_disponible() {
    QFile f(QStringLiteral("/proc/meminfo"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (QByteArray l = f.readLine(); !l.isEmpty(); l = f.readLine()) {
        if (!l.startsWith("MemAvailable:")) continue;
        bool ok = false;
        const qint64 ko = l.mid(13).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? ko * 1024 : -1;
    }
    return -1;
}

ErreurRez memoire_insuffisante(const QString& chemin, qint64 taille) {
    return ErreurRez(ErreurRez::Genre::MemoireInsuffisante, {chemin, QString::number(taille)},
                     QStringLiteral("Not enough memory to load the target file \"%1\" (%2 bytes).")
                         .arg(chemin)
                         .arg(taille));
}

void verifie_memoire(const QString& chemin, qint64 taille, qint64 deja_tenu, qint64 disponible) {
    if (disponible == -2) disponible = memoire_disponible();
    if (disponible < 0 || taille <= 0) return;
    if (taille > disponible / octets_par_octet + deja_tenu) throw memoire_insuffisante(chemin, taille);
}
