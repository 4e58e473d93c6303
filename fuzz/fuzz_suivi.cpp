// The incremental reload: a file read as it grows, in pieces cut anywhere (in a line, in a
// character, between CR and LF), gives after every piece what one load of the bytes so far
// gives: the lines, their encoding, the comment and the whole record table.
#include "commun.h"
#include "util_rez/target/lecture_cible.h"

#include <cstring>
#include <memory>

namespace {

const QString chemin = QStringLiteral("/runs/run.txt");
const QString marque = QStringLiteral("Comment");

struct Chargement {
    LectureCible lecture;
    std::unique_ptr<Tableau> tableau = std::make_unique<Tableau>();
};

void compare(const Chargement& suivi, const QByteArray& contenu) {
    static Chargement entier;
    entier.lecture.charge(chemin, contenu, marque, *entier.tableau);
    const LectureCible& a = suivi.lecture;
    const LectureCible& b = entier.lecture;
    FUZZ_VERIFIE(a.octets() == b.octets() && a.codage() == b.codage());
    FUZZ_VERIFIE(a.lignes().mid(0) == b.lignes().mid(0) && a.derniere_retenue() == b.derniere_retenue());
    FUZZ_VERIFIE(a.commentaire() == b.commentaire());
    const ResultatParse& p = a.parse();
    const ResultatParse& q = b.parse();
    FUZZ_VERIFIE(p.nb_enreg == q.nb_enreg && suivi.tableau->taille() == p.nb_enreg);
    FUZZ_VERIFIE(p.enreg_ecartes == q.enreg_ecartes && p.arrete == q.arrete && p.noms == q.noms);
    FUZZ_VERIFIE(p.max_x == q.max_x && p.max_y == q.max_y);
    for (int c = 1; c <= nb_colonnes_lues; ++c)
        FUZZ_VERIFIE(std::memcmp(suivi.tableau->colonne(c) + 1, entier.tableau->colonne(c) + 1,
                                 sizeof(double) * size_t(p.nb_enreg)) == 0);
}

} // namespace

// The first byte's bits choose how the rest is cut: pieces of 1 to 16 bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    if (taille < 2) return 0;
    const uint8_t graine = data[0];
    const QByteArray tout = fuzz::octets(data + 1, taille - 1);
    static Chargement suivi;
    suivi.lecture.oublie();
    suivi.lecture.charge(chemin, QByteArray(), marque, *suivi.tableau);
    qsizetype lus = 0;
    for (int k = 0; lus < tout.size(); ++k) {
        const qsizetype piece =
            std::min<qsizetype>(1 + ((graine >> (k % 4)) + k * 7) % 16, tout.size() - lus);
        const QByteArray ajout = tout.sliced(lus, piece);
        lus += piece;
        const QByteArray jusque_la = tout.first(lus);
        if (!suivi.lecture.suit(chemin, marque) || !suivi.lecture.ajoute(ajout, marque, *suivi.tableau))
            suivi.lecture.charge(chemin, jusque_la, marque, *suivi.tableau);
        compare(suivi, jusque_la);
    }
    return 0;
}
