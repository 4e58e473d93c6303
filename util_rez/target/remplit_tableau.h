#pragma once
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/tableau.h"

// Parses the loaded lines (the target file without its comment block) into the table.
// The table then holds rows 1..nb_enreg exactly. Throws std::bad_alloc when the run does not
// fit in memory.
ResultatParse remplit_tableau(const LignesCible& lignes, Tableau& tableau);

// The rows of lines parsed apart (`suite`, `r_suite`, from a fresh parse of lines after the
// names' line) put after those of the lines before them (`tableau`, `r`), as one parse of all
// the lines would have left them; `decalage` moves the later rows' line indexes.
void prolonge_parse(Tableau& tableau, ResultatParse& r, Tableau& suite, const ResultatParse& r_suite,
                    double decalage = 0);

// Goes on with the lines from `debut` up to `fin` (excluded) after a parse of the lines before
// `debut` left `r`: lines parsed in several steps give what one parse of them all gives.
void poursuit_parse(const LignesCible& lignes, qsizetype debut, qsizetype fin, Tableau& tableau,
                    ResultatParse& r);

// One line, the `i`-th of the file from 0, on from the parse `r` of the lines before it;
// false once the parse has ended (at the "Stopped" marker).
bool parse_ligne(const QString& ligne, qsizetype i, Tableau& tableau, ResultatParse& r);

// The same for the line's bytes, in the file's encoding: most lines are read without being
// decoded; `tampon` is room used again for those that are.
bool parse_ligne(QByteArrayView octets, Codage codage, qsizetype i, QString& tampon, Tableau& tableau,
                 ResultatParse& r);

// The line holds "Stopped", the word that ends a run's records.
bool contient_arret(QStringView s);
bool contient_arret(QByteArrayView s);
