#include "_rez/widgets/icone.h"

QIcon icone_lintrace() {
    QIcon icone;
    for (const char* taille : {"48x48", "128x128", "256x256"})
        icone.addFile(QStringLiteral(":/icones/%1/apps/lintrace.png").arg(QLatin1String(taille)));
    return icone;
}
