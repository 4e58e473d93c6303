// The workbook package over any file: a file that is no workbook is told so, never more; a
// workbook it filled and wrote is a workbook again, with the written cell in its first sheet.
#include "commun.h"
#include "util_rez/output/ooxml/classeur_ooxml.h"
#include "util_rez/output/tableur.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    static QTemporaryDir dossier;
    const QString entree = dossier.filePath(QStringLiteral("in.xlsx"));
    const QString sortie = dossier.filePath(QStringLiteral("out.xlsx"));
    {
        QFile f(entree);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(taille));
    }
    QFile::remove(sortie);
    try {
        ClasseurOoxml classeur(entree);
        classeur.ecrit(1, 1, QStringLiteral("v"));
        classeur.ecrit(7, 11, QStringLiteral("k"));
        QString raison;
        if (!classeur.enregistre(sortie, raison)) {
            FUZZ_VERIFIE(!QFile::exists(sortie));
            return 0;
        }
    } catch (const ErreurTableur&) {
        FUZZ_VERIFIE(!QFile::exists(sortie));
        return 0;
    }
    try {
        ClasseurOoxml relu(sortie);
        FUZZ_VERIFIE(!relu.partie_feuille().isEmpty());
    } catch (const ErreurTableur&) {
        FUZZ_VERIFIE(false);
    }
    return 0;
}
