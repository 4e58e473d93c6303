#pragma once
#include <QLockFile>
#include <QString>

// Keeps two sessions from loading or rewriting the same workbook at the same moment: the
// office may hand nothing back to two clients loading one file at once, and two writers of
// one package would each undo the other's cells.
class VerrouClasseur {
  public:
    explicit VerrouClasseur(const QString& classeur);

    // Waits with the caller's event loop running; false when another holder kept it past
    // `limite_ms`. Where no lock file can be made, nothing is guarded and this succeeds.
    bool prend(int limite_ms);

  private:
    QLockFile verrou_;
};

// Copies `de` over `vers` through a temporary file renamed into place, so nobody opening
// `vers` meanwhile finds half a file.
bool copie_remplace(const QString& de, const QString& vers, QString& raison);
