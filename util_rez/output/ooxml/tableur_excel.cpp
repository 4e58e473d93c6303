#include "util_rez/output/ooxml/tableur_excel.h"

TableurExcel::TableurExcel(Montre montre, int attente_verrou_ms)
    : montre_(std::move(montre)), attente_verrou_ms_(attente_verrou_ms) {}

void TableurExcel::ouvre(const QString& chemin) {
    if (destination_.isEmpty())
        destination_ = chemin;
    // Held from the read to the rewrite, so that another session's cells are not undone.
    auto verrou = std::make_unique<VerrouClasseur>(destination_);
    verrou->prend(attente_verrou_ms_, QStringLiteral("another session is writing it"));
    classeur_ = std::make_unique<ClasseurOoxml>(chemin);
    verrou_ = std::move(verrou);
}

bool TableurExcel::ecrit(int ligne, int colonne, const ValeurCellule& valeur) {
    if (!classeur_)
        return false;
    classeur_->ecrit(ligne, colonne, valeur);
    return true;
}

void TableurExcel::termine() {
    if (!classeur_)
        return;
    auto verrou = std::move(verrou_); // given back whether the write succeeds or not
    QString raison;
    const bool ecrit = classeur_->enregistre(destination_, raison);
    verrou.reset();
    if (!ecrit)
        throw ErreurTableur(ErreurTableur::Cause::Ecriture, raison, destination_);
    if (!montre_(destination_))
        throw ErreurTableur(ErreurTableur::Cause::SansApplication, QStringLiteral("no application opens it"),
                            destination_);
}
