#include "_rez/tform1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lintrace"));
    TForm1 Form1(QApplication::arguments().mid(1), QApplication::applicationDirPath(),
                 std::make_unique<Plateforme>());
    Form1.show();
    return QApplication::exec();
}
