#pragma once
#include "cible_essai.h"
#include "helpers.h"

#include <QProcess>
#include <QStringList>
#include <cmath>

// Running lintrace-render the way a script does, from a program folder of the test's own.
namespace aide_test {

struct Resultat {
    int statut = -1; // -1 when the program did not end by itself
    QByteArray sortie;
    QByteArray erreurs;
};

// The renderer reads the setup and language files beside it, so each test gives it a folder.
inline QString installe_rendu(const QString& dossier) {
    copie_donnees(dossier, {QStringLiteral("lintrace-render")});
    return dossier + QStringLiteral("/lintrace-render");
}

// No display and no platform chosen for it: the renderer must manage on its own.
inline Resultat lance_rendu(const QString& programme, const QStringList& arguments, const QString& dossier) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* nom : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(nom));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(dossier);
    p.start(programme, arguments);
    if (!p.waitForFinished(60000)) p.kill();
    p.waitForFinished();
    Resultat r;
    if (p.exitStatus() == QProcess::NormalExit) r.statut = p.exitCode();
    r.sortie = p.readAllStandardOutput();
    r.erreurs = p.readAllStandardError();
    return r;
}

// A run of `records` zero-padded records whose six value columns swing around `base`.
inline CibleEssai run_essai(int records, double base) {
    return {.titre = QStringLiteral("Test bench 3 - run 7"),
            .operateur = QStringLiteral("Operator: test"),
            .noms = QStringLiteral("Runtime Flow T_in dP T_wall Power T_out"),
            .enregistrements = records,
            .pas = 0.05,
            .largeur_temps = 7,
            .valeur = [base](int k, int c) { return base + c * 8 + (c + 3) * std::sin(k * 0.05 / c + c); },
            .decimales = 2,
            .arrete = true};
}

} // namespace aide_test
