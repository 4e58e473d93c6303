#include "util_rez/output/ooxml/tableur_excel.h"

#include "util_rez/base/hors_fil.h"

#include <limits>

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

namespace {

// What packing the workbook touches, owned by the work in case the program closes first.
struct Ecriture {
    std::unique_ptr<ClasseurOoxml> classeur;
    std::unique_ptr<VerrouClasseur> verrou;
    QString destination;
    QString raison;
    bool ecrit = false;
};

} // namespace

// Packing a workbook of a million rows takes seconds: it runs off the caller's thread, whose
// event loop goes on meanwhile.
void TableurExcel::termine() {
    if (!classeur_)
        return;
    auto e = std::make_shared<Ecriture>();
    e->classeur = std::move(classeur_);
    e->verrou = std::move(verrou_);
    e->destination = destination_;
    const FinAttente fin = attend_hors_fil(
        [e] {
            e->ecrit = e->classeur->enregistre(e->destination, e->raison);
            e->verrou.reset(); // given back whether the write succeeds or not
        },
        std::numeric_limits<int>::max());
    if (fin != FinAttente::Fini)
        throw ErreurTableur(ErreurTableur::Cause::Abandon, QStringLiteral("the program is closing"));
    if (!e->ecrit)
        throw ErreurTableur(ErreurTableur::Cause::Ecriture, e->raison, destination_);
    if (!montre_(destination_))
        throw ErreurTableur(ErreurTableur::Cause::SansApplication, QStringLiteral("no application opens it"),
                            destination_);
}
