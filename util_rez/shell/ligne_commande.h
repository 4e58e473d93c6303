#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The command line split before Qt sees it: the first argument is the program's own, taken as
// it came ("-reverse" or "-style" is a target file like any other), and the arguments after it
// go to Qt, whose options may follow a target file.
class LigneCommande {
  public:
    LigneCommande(int argc, char** argv);

    // The arguments after the program name, the first as a file name.
    const QStringList& arguments() const { return arguments_; }
    // Given to QApplication, which may take its own options out of them: they stay valid as
    // long as this object lives.
    int& argc_qt() { return argc_qt_; }
    char** argv_qt() { return argv_qt_.data(); }
    // The first argument's bytes.
    const QByteArray& premier() const { return premier_; }

  private:
    QStringList arguments_;
    QByteArray premier_;
    std::vector<char*> argv_qt_;
    int argc_qt_ = 0;
};

// A file name as a text the program's files can be opened by. Qt carries file names as UTF-8:
// a name of other bytes (a Latin-1 "caf\xe9.txt") gets a link in `dossier_liens`, named as
// those bytes read in Latin-1, that leads to it, and the link's path is returned. Every open
// follows the link to the name given, so a writer that replaces the file is followed too.
// Empty when the link cannot be made.
QString nom_de_fichier(const QByteArray& octets, const QString& dossier_liens);
