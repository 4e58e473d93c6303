#include "util_rez/output/uno/tableur_uno.h"

// Built without the LibreOffice SDK: every use says so.

struct TableurUno::Etat {};

namespace {
[[noreturn]] void indisponible() {
    throw ErreurTableur(ErreurTableur::Cause::Indisponible,
                        QStringLiteral("this build of the program has no LibreOffice support"));
}
} // namespace

bool uno_disponible() {
    return false;
}

TableurUno::TableurUno() : TableurUno(Limites{}) {}
TableurUno::TableurUno(Limites limites) : limites_(limites) {}
TableurUno::~TableurUno() = default;
void TableurUno::connecte(bool) {
    indisponible();
}
void TableurUno::ouvre(const QString&) {
    indisponible();
}
bool TableurUno::ecrit(int, int, const ValeurCellule&) {
    indisponible();
}
void TableurUno::ecrit_bloc(int, int, const QList<QList<ValeurCellule>>&) {
    indisponible();
}
void TableurUno::enregistre_copie(const QString&) {
    indisponible();
}
void TableurUno::ferme_document() {}
void TableurUno::arrete_office() {}
void TableurUno::execute(const std::function<void(Etat&)>&, int) {
    indisponible();
}
