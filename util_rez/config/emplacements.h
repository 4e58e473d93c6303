#pragma once
#include <QString>

// Where the program's own files are. The shipped ones (languages, help, sounds, pictures)
// stay in the program folder. The ones it writes go beside them when that folder is
// writable, as in a build or an unpacked folder; installed where the user may not write,
// they go to a per-user folder instead, which is then read before the shipped files, so a
// file shipped beside the program is the default until the user's own copy exists.
class Emplacements {
  public:
    Emplacements(const QString& dossier_prog, const QString& dossier_utilisateur, bool prog_inscriptible);

    // The program folder as it is found: its own files' place when it is not installed and a
    // file can really be made in it (permission bits say nothing for root or on a read-only
    // mount); the per-user folder is the application's data location.
    static Emplacements pour(const QString& dossier_prog);

    const QString& dossier_prog() const { return dossier_prog_; }
    bool par_utilisateur() const { return !prog_inscriptible_; }
    const QString& dossier_ecriture() const {
        return par_utilisateur() ? dossier_utilisateur_ : dossier_prog_;
    }

    // The path of a file the program writes, by name. The per-user folder is made on first use;
    // when it cannot be made, the write at this path fails and reports why.
    QString chemin_ecrit(const QString& nom) const;

    // The path of a file the program reads and the user may have written: the user's copy
    // when there is one, else the shipped file.
    QString chemin_lu(const QString& nom) const;

    // The folder to open a shipped file from for editing: where the user's own copy is, made
    // from the shipped file the first time; the program folder when no copy can be made.
    QString dossier_modification(const QString& nom) const;

  private:
    QString dossier_prog_;
    QString dossier_utilisateur_;
    bool prog_inscriptible_;
};

bool dossier_inscriptible(const QString& dossier);

// A program under /usr or /opt, outside a build tree, is an installed one: it never writes
// into its own folder, even for root, whom the permission bits do not stop, so that removing
// the package leaves nothing behind.
bool programme_installe(const QString& dossier_prog);
