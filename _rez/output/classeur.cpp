#include "_rez/tform1.h"

#include "util_rez/output/verrou_classeur.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
    classeur = copie_remplace(modele, cible, raison) ? cible : modele;
    if (classeur == modele)
        plateforme_->message(this, Plateforme::Genre::Information,
                             texte_message(44) + cible +
                                 texte_message(45), // copy failed: the template is used
                             QMessageBox::Ok);
    return true;
}

QString TForm1::classeur_de_secours() {
    // The shipped template is never written: a copy of it is filled instead, and stays for as
    // long as the application the desktop opened it with may need it.
    const QString dossier =
        QDir::temp().filePath(QStringLiteral("lintrace-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(dossier);
    return dossier + QStringLiteral("/Lintrace_.xls");
}
