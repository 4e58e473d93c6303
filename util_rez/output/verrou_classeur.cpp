#include "util_rez/output/verrou_classeur.h"

#include "util_rez/files/fichier_regulier.h"
#include "util_rez/files/remplace_fichier.h"
#include "util_rez/output/tableur.h"

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

// Nothing, a file being written, or the holder's process number on the first line, as the lock
// writes it.
bool ressemble_verrou(const QString& chemin) {
    if (intrus(chemin)) return false;
    QFile f;
    QString raison;
    if (!ouvre_regulier(f, chemin, raison)) return true; // gone, or not ours to read: the lock tells
    const QByteArray debut = f.read(4097);
    if (debut.size() > 4096) return false;
    const qsizetype fin = debut.indexOf('\n');
    if (fin < 0) return debut.isEmpty();
    bool nombre = false;
    debut.first(fin).toLongLong(&nombre);
    return nombre;
}

} // namespace

VerrouClasseur::VerrouClasseur(const QString& classeur)
    : classeur_(classeur), chemin_(chemin_verrou(classeur)), verrou_(chemin_) {
    // Held for one load or one rewrite: far less than this unless its holder is stuck.
    verrou_.setStaleLockTime(120000);
}

void VerrouClasseur::prend(int limite_ms, const QString& occupe) {
    const QDeadlineTimer echeance(limite_ms);
    for (;;) {
        if (!ressemble_verrou(chemin_))
            throw ErreurTableur(ErreurTableur::Cause::PasVerrou, QStringLiteral("not a lock file"), chemin_);
        if (verrou_.tryLock(0) || verrou_.error() != QLockFile::LockFailedError)
            return;
        if (echeance.hasExpired())
            throw ErreurTableur(ErreurTableur::Cause::Occupe, occupe, classeur_);
        QEventLoop boucle;
        QTimer::singleShot(50, &boucle, &QEventLoop::quit);
        boucle.exec();
    }
}

bool copie_remplace(const QString& de, const QString& vers, qint64 taille_max, QString& raison) {
    QFile source;
    if (!ouvre_regulier(source, de, raison)) return false;
    if (source.size() > taille_max) {
        raison = QStringLiteral("File too large");
        return false;
    }
    const QByteArray octets = source.read(taille_max);
    if (source.error() != QFileDevice::NoError) {
        raison = source.errorString();
        return false;
    }
    return remplace_fichier(vers, octets, raison, Lien::Refuse);
}
