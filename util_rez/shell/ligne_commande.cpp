#include "util_rez/shell/ligne_commande.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

LigneCommande::LigneCommande(int argc, char** argv) {
    if (argc > 0) argv_qt_.push_back(argv[0]);
    if (argc > 1) premier_ = QByteArray(argv[1]);
    for (int i = 1; i < argc; ++i) {
        arguments_.append(QFile::decodeName(argv[i]));
        if (i > 1) argv_qt_.push_back(argv[i]);
    }
    argc_qt_ = int(argv_qt_.size());
    argv_qt_.push_back(nullptr);
}

QString nom_de_fichier(const QByteArray& octets, const QString& dossier_liens) {
    const QString nom = QFile::decodeName(octets);
    if (QFile::encodeName(nom) == octets) return nom;
    QByteArray cible = octets;
    if (!cible.startsWith('/')) {
        // The current folder's own name may be no UTF-8 either.
        char dossier[4096];
        if (::getcwd(dossier, sizeof dossier) == nullptr) return {};
        cible = QByteArray(dossier) + '/' + cible;
    }
    const qsizetype barre = cible.lastIndexOf('/');
    const QString lien = QDir(dossier_liens).filePath(QString::fromLatin1(cible.mid(barre + 1)));
    if (::symlink(cible.constData(), QFile::encodeName(lien).constData()) != 0) return {};
    return lien;
}
