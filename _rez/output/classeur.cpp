#include "_rez/tform1.h"

#include "util_rez/output/verrou_classeur.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
// Far above any template: a workbook of a million filled cells packs into less.
constexpr qint64 taille_max_modele = 64 << 20;
} // namespace

bool TForm1::prepare_classeur(const QString& base, QString& classeur) {
    // `base` is "/Lintrace_": the template is the user's own copy when there is one, the
    // workbook goes where the program writes its files.
    const QString nom = base.mid(1);
    const QString modele = emplacements.chemin_lu(nom + QStringLiteral(".xl0"));
    modele_tableur_ = modele;
    if (!QFileInfo(modele).isFile()) {
        plateforme_->message(this, Plateforme::Genre::Information,
                             texte_message(40) + modele + QStringLiteral(" > ") +
                                 texte_message(41), // template missing: its full path
                             QMessageBox::Ok);
        return false;
    }
    const QString cible = emplacements.chemin_ecrit(nom + QStringLiteral(".xls"));
    refuse_intrus(cible);
    if (QFileInfo::exists(cible)) {
        const auto r =
            plateforme_->message(this, Plateforme::Genre::Question,
                                 texte_message(37) + QStringLiteral("  ") + cible + texte_message(38) +
                                     QStringLiteral("    \n\n") +
                                     texte_message(39), // workbook exists: fresh copy, write into it, or stop
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (r == QMessageBox::No) {
            classeur = cible;
            return true;
        }
        if (r != QMessageBox::Yes)
            return false;
    }
    QString raison;
    if (QFileInfo(modele).size() > taille_max_modele)
        throw ErreurRez(texte_message(108) + QLatin1Char('\n') + modele); // template too large
    classeur = copie_remplace(modele, cible, taille_max_modele, raison) ? cible : modele;
    if (classeur == modele)
        plateforme_->message(this, Plateforme::Genre::Information,
                             texte_message(44) + cible +
                                 texte_message(45), // copy failed: the template is used
                             QMessageBox::Ok);
    return true;
}

QString TForm1::classeur_de_secours() {
    // The shipped template is never written: a copy of it is filled instead, and stays for as
    // long as the application the desktop opened it with may need it. The folder is made anew
    // under a name nobody can guess, readable by this user alone, so no one can have prepared it.
    if (dossier_secours_.isEmpty()) {
        QTemporaryDir dossier(QDir::temp().filePath(QStringLiteral("lintrace-XXXXXX")));
        dossier.setAutoRemove(false);
        if (!dossier.isValid())
            throw ErreurRez(texte_message(74) + QLatin1Char('\n') + dossier.path() + QLatin1Char('\n') +
                            dossier.errorString()); // not written; the folder and the reason follow
        dossier_secours_ = dossier.path();
    }
    return dossier_secours_ + QStringLiteral("/Lintrace_.xls");
}
