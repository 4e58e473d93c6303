#include "util_rez/config/pointeur.h"

#include "util_rez/base/erreur.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/files/remplace_fichier.h"

namespace {
// A folder or a file name is never longer than the system's longest path.
constexpr qsizetype longueur_max_valeur = 4096;
} // namespace

QString lit_pointeur(const Emplacements& emplacements, const QString& nom) {
    try {
        return lit_premieres_lignes(emplacements.chemin_lu(nom), 1, longueur_max_valeur).value(0);
    } catch (const ErreurRez&) {
        return {};
    }
}

bool ecrit_pointeur(const Emplacements& emplacements, const QString& nom, const QString& valeur, QString& raison) {
    // Replaced in one step like the other files the program writes: a pipe there would hold the
    // open for good, and a link would have another file emptied.
    return remplace_fichier(emplacements.chemin_ecrit(nom), encode_lignes({valeur}, Codage::Utf8), raison,
                            Lien::Refuse);
}
