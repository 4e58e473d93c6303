#include "_rez/apparence.h"
#include "_rez/icone.h"
#include "_rez/tform1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lintrace"));
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("lintrace"));
    QApplication::setWindowIcon(icone_lintrace());
    applique_apparence_claire();
    TForm1 Form1(QApplication::arguments().mid(1), QApplication::applicationDirPath(),
                 std::make_unique<Plateforme>());
    Form1.show();
    return QApplication::exec();
}
