#include "util_rez/output/verrou_classeur.h"

#include "util_rez/files/fichier_regulier.h"
#include "util_rez/files/remplace_fichier.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

QString chemin_verrou(const QString& classeur) {
    const QFileInfo f(classeur);
    return f.absolutePath() + QStringLiteral("/.") + f.fileName() + QStringLiteral(".lock");
}

} // namespace

VerrouClasseur::VerrouClasseur(const QString& classeur) : verrou_(chemin_verrou(classeur)) {
    // Held for one load or one rewrite: far less than this unless its holder is stuck.
    verrou_.setStaleLockTime(120000);
}

bool VerrouClasseur::prend(int limite_ms) {
    const QDeadlineTimer echeance(limite_ms);
    for (;;) {
        if (verrou_.tryLock(0))
            return true;
        if (verrou_.error() != QLockFile::LockFailedError)
            return true;
        if (echeance.hasExpired())
            return false;
        QEventLoop boucle;
        QTimer::singleShot(50, &boucle, &QEventLoop::quit);
        boucle.exec();
    }
}

bool copie_remplace(const QString& de, const QString& vers, QString& raison) {
    QFile source;
    if (!ouvre_regulier(source, de, raison)) return false;
    const QByteArray octets = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        raison = source.errorString();
        return false;
    }
    return remplace_fichier(vers, octets, raison);
}
