#pragma once
#include <QLockFile>
#include <QString>

// Keeps two sessions from loading or rewriting the same workbook at the same moment: the
// office may hand nothing back to two clients loading one file at once, and two writers of
// one package would each undo the other's cells.
class VerrouClasseur {
  public:
    explicit VerrouClasseur(const QString& classeur);

    // Waits with the caller's event loop running; throws ErreurTableur(Occupe) with `occupe` as
    // its detail when another holder kept it past `limite_ms`, and ErreurTableur(PasVerrou) when
    // what has the lock file's name is no lock (a link, a pipe, a folder, garbage): the lock
    // itself would read whatever has its name, wait on a pipe for good or read a device without
    // end. Where no lock file can be made, nothing is guarded and this succeeds.
    void prend(int limite_ms, const QString& occupe);

  private:
    QString classeur_;
    QString chemin_;
    QLockFile verrou_;
};

// Copies `de` over `vers` through a temporary file renamed into place, so nobody opening
// `vers` meanwhile finds half a file. `vers` is the program's own file: a link there is refused.
// A source larger than `taille_max` is not copied.
bool copie_remplace(const QString& de, const QString& vers, qint64 taille_max, QString& raison);
