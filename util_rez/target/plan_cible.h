#pragma once
#include "util_rez/target/tableau.h"

#include <QString>
#include <memory>
#include <optional>

// The window's state right after it has loaded a target file with both autoscale boxes
// checked, gathered without a window: the table, the parse and the scales it draws with.
struct PlanCible {
    std::unique_ptr<Tableau> tableau = std::make_unique<Tableau>();
    ResultatParse parse;
    QString texte_x; // the full-scale fields as the window then holds them
    QString texte_y;
};

// Reads the target file as the window's load does (an unfinished last line held back, an
// appended comment block cut at `titre_commentaire`), parses it and autoscales from the
// window's initial full scales. Throws ErreurRez when the file cannot be read.
PlanCible charge_plan(const QString& chemin, const QString& titre_commentaire);
// The same read in two halves side by side, the second from the first line break at or after
// byte `milieu`, as a long file is read; in one piece without `milieu`.
PlanCible charge_plan_en_deux(const QString& chemin, const QString& titre_commentaire,
                              std::optional<qsizetype> milieu);
