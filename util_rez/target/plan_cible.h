#pragma once
#include "util_rez/base/echelles.h"
#include "util_rez/config/langue.h"
#include "util_rez/target/tableau.h"

#include <QString>
#include <QStringList>
#include <memory>

class Emplacements;

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

// The language table the window builds at start-up: the master file, then the chosen one
// over it, each the user's own copy when there is one. Files that are not there are added to `absents` and leave their texts out.
TableLangue charge_table_langue(const Emplacements& lieux, const QString& fichier_langue, QStringList& absents);
