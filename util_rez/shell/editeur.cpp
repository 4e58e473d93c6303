#include "util_rez/shell/editeur.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

bool ouvrir_avec_notepad(const QString& dossier, const QString& nom_fichier) {
    const QString chemin = QDir(dossier).absoluteFilePath(nom_fichier);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}
