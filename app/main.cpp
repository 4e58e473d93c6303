#include "_rez/tform1.h"
#include "_rez/widgets/apparence.h"
#include "_rez/widgets/icone.h"
#include "util_rez/shell/ligne_commande.h"

#include <QApplication>
#include <QThreadPool>
#include <QTemporaryDir>

int main(int argc, char* argv[]) {
    // Qt takes its own options out of argv: a target file named "-reverse" must reach the
    // window, and a name that is no UTF-8 must reach it as the bytes it is.
    LigneCommande ligne(argc, argv);
    QApplication app(ligne.argc_qt(), ligne.argv_qt());
    QApplication::setApplicationName(QStringLiteral("Lintrace"));
    // Qt hands a tall fill out to its pool's threads in slices, a wake-up for each: a window that
    // repaints a few widgets once a second spends more on waking them than on the fills.
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("lintrace"));
    QApplication::setWindowIcon(icone_lintrace());
    applique_apparence_claire();
    QStringList arguments = ligne.arguments();
    std::unique_ptr<QTemporaryDir> liens;
    if (!arguments.isEmpty() && QFile::encodeName(arguments.first()) != ligne.premier()) {
        liens = std::make_unique<QTemporaryDir>();
        const QString lien = nom_de_fichier(ligne.premier(), liens->path());
        if (!lien.isEmpty()) arguments.first() = lien;
    }
    TForm1 Form1(arguments, QApplication::applicationDirPath(), std::make_unique<Plateforme>());
    Form1.show();
    return QApplication::exec();
}
