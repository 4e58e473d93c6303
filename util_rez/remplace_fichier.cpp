#include "util_rez/remplace_fichier.h"

#include <QSaveFile>

bool remplace_fichier(const QString& chemin, const QByteArray& octets, QString& raison) {
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) {
        raison = f.errorString();
        return false;
    }
    // commit() does not see a failure of the buffered write it flushes: a full disk would
    // end as a short file reported as written. Check the write and the flush first; the
    // temporary file goes with `f` when it is not committed.
    if (f.write(octets) != octets.size() || !f.flush() || f.error() != QFileDevice::NoError) {
        raison = f.errorString();
        return false;
    }
    if (!f.commit()) {
        raison = f.errorString();
        return false;
    }
    return true;
}
