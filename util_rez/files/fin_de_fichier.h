#pragma once
#include "util_rez/files/fichier_cible.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The end of a file as it was read, which must still be there for that end to be replaced.
struct FinAttendue {
    IdentiteFichier identite; // the file itself, its size and its times when it was read
    qint64 taille = 0;        // the bytes read
    qint64 debut = 0;         // where the end to replace begins; `taille` when nothing is cut
    QByteArray queue;         // the last bytes read, from a little before `debut`
};

// The end from `debut` of the bytes `octets`, read from a file that had `identite`.
FinAttendue fin_attendue(const IdentiteFichier& identite, const QByteArray& octets, qint64 debut);

enum class Remplacement {
    Fait,
    Change, // the file is no longer what was read: nothing written
    Absent, // nothing by that name any more: nothing written, nothing made
    Echec,  // `raison` says why
};

// Replaces the end of the same file in place, so that it keeps its inode, owner, mode, links
// and attributes, and a writer that keeps it open goes on writing into it. Only when, at that
// moment, the file is what `attendue` says, its last bytes included: then it is cut back to
// `debut` and `nouvelle` appended in one write, and synced. A writer's bytes that arrive
// meanwhile land before the new end, never under it. A failed write takes back what it wrote.
// `apres` is the end as written, for a next replacement before the file is read again;
// nothing when another write landed meanwhile.
Remplacement remplace_fin(const QString& chemin, const FinAttendue& attendue, const QByteArray& nouvelle,
                          std::optional<FinAttendue>& apres, QString& raison);
