#include "util_rez/config/emplacements.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
QString dans(const QString& dossier, const QString& nom) {
    return QDir(dossier).filePath(nom);
}
} // namespace

bool dossier_inscriptible(const QString& dossier) {
    if (!QFileInfo(dossier).isDir()) return false;
    QTemporaryFile sonde(dans(dossier, QStringLiteral(".lintrace-sonde-XXXXXX")));
    return sonde.open();
}

namespace {
// A build folder holds its cache at its root; the program sits a floor or two below it.
bool dans_arbre_de_construction(QDir dossier) {
    do {
        if (dossier.exists(QStringLiteral("CMakeCache.txt"))) return true;
    } while (dossier.cdUp());
    return false;
}
} // namespace

bool programme_installe(const QString& dossier_prog) {
    const QString chemin = QDir::cleanPath(QFileInfo(dossier_prog).absoluteFilePath()) + QLatin1Char('/');
    const bool sous_systeme =
        chemin.startsWith(QLatin1String("/usr/")) || chemin.startsWith(QLatin1String("/opt/"));
    return sous_systeme && !dans_arbre_de_construction(QDir(chemin));
}

Emplacements::Emplacements(const QString& dossier_prog, const QString& dossier_utilisateur,
                           bool prog_inscriptible)
    : dossier_prog_(dossier_prog), dossier_utilisateur_(dossier_utilisateur),
      prog_inscriptible_(prog_inscriptible) {}

Emplacements Emplacements::pour(const QString& dossier_prog) {
    const bool inscriptible = !programme_installe(dossier_prog) && dossier_inscriptible(dossier_prog);
    return Emplacements(dossier_prog,
                        inscriptible ? QString()
                                     : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                        inscriptible);
}

QString Emplacements::chemin_ecrit(const QString& nom) const {
    if (par_utilisateur()) QDir().mkpath(dossier_utilisateur_);
    return dans(dossier_ecriture(), nom);
}

QString Emplacements::chemin_lu(const QString& nom) const {
    if (par_utilisateur()) {
        const QString copie = dans(dossier_utilisateur_, nom);
        if (QFileInfo::exists(copie)) return copie;
    }
    return dans(dossier_prog_, nom);
}

QString Emplacements::dossier_modification(const QString& nom) const {
    if (!par_utilisateur()) return dossier_prog_;
    const QString livre = dans(dossier_prog_, nom);
    const QString copie = chemin_ecrit(nom);
    if (!QFileInfo::exists(copie) && QFileInfo::exists(livre) && QFile::copy(livre, copie))
        // The copy keeps the shipped file's read-only bits; it is the user's to edit.
        QFile::setPermissions(copie, QFile::permissions(copie) | QFile::ReadOwner | QFile::WriteOwner);
    // Nothing shipped: the editor starts the user's own file. No copy possible: show the shipped one.
    return QFileInfo::exists(copie) || !QFileInfo::exists(livre) ? dossier_utilisateur_ : dossier_prog_;
}
