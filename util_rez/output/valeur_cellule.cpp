#include "util_rez/output/valeur_cellule.h"

#include <charconv>

QString ValeurCellule::nombre_xml() const {
    char buf[32];
    const auto fin = std::to_chars(buf, buf + sizeof buf, nombre()).ptr;
    return QString::fromLatin1(buf, fin - buf);
}
