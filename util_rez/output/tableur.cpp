#include "util_rez/output/tableur.h"

#include "util_rez/files/fichier_regulier.h"

#include <QFile>

void Tableur::ecrit_bloc(int ligne, int colonne, const QList<QList<ValeurCellule>>& rangs) {
    for (qsizetype r = 0; r < rangs.size(); ++r)
        for (qsizetype c = 0; c < rangs[r].size(); ++c)
            ecrit(ligne + int(r), colonne + int(c), rangs[r][c]);
}

bool ressemble_classeur(const QString& chemin) {
    QFile f;
    QString raison;
    if (!ouvre_regulier(f, chemin, raison)) return false;
    const QByteArray debut = f.read(8);
    return debut.startsWith("PK\x03\x04") || debut == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}
