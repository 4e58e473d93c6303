#include "_rez/tform1.h"

#include "util_rez/base/conversions.h"
#include "util_rez/files/fichier_cible.h"

#include <QFileInfo>
#include <limits>

namespace {
constexpr int32_t olive = 128 + 128 * 256;
constexpr int32_t sarcelle = 128 * 256 + 128 * 65536;
constexpr int32_t periode_max_s = std::numeric_limits<int>::max() / 1000;

int32_t periode_rafraichissement(const QString& texte) {
    const int32_t p = StrToInt(texte);
    if (p < 0)
        throw ErreurRez(ErreurRez::Genre::PeriodeInvalide, {texte},
                        QStringLiteral("'%1' is not a valid refresh period.").arg(texte));
    return std::min(p, periode_max_s);
}
} // namespace

void TForm1::Timer1Timer() {
    // While start-up runs or an error box is open, ticks do nothing: a failure that repeats
    // at every tick shows one box, never one on top of another, and the cycle resumes once it
    // is closed.
    if (pause_rafraichissement_ > 0) return;
    try {
        const int32_t p = periode_rafraichissement(Edit5->text());
        if (p == 0)
            Timer1->stop();
        else if (Timer1->interval() != p * 1000)
            Timer1->setInterval(p * 1000);
        Panel1->setColor(Panel1->Color() == olive ? sarcelle : olive);
        if (chemin_cible.isEmpty())
            return;
        // A rewrite of the same size within one two-second stamp step shows in the file's
        // full modification time, or in the file now behind the name.
        if (taille_fichier(chemin_cible) == taille_cible && age_fichier(chemin_cible) == age_cible &&
            identite_fichier(chemin_cible) == identite_cible)
            return;
        // The load records the size and stamp it measured just before reading. Measuring
        // them again now would take in a write that landed after the read, and that data
        // would never be loaded.
        charge_fichier_dans_memo_et_affiche(chemin_cible);
        trace_graphe(QLatin1Char('E'));
        if (sound_CheckBox8->isChecked())
            joue_son();
    } catch (const ErreurRez& e) {
        // refresh paused meanwhile
        montre_erreur(texte_erreur(e) + QStringLiteral("\n\n") + texte_message(70));
    }
}

void TForm1::joue_son() {
    const QString chemin = rep_prog + (placement_bas() ? QStringLiteral("ding2.wav") : QStringLiteral("ding1.wav"));
    if (QFileInfo(chemin).isFile())
        plateforme_->joue_son(chemin);
    else
        plateforme_->bip_alerte();
}

void TForm1::sound_CheckBox8Click() {
    joue_son();
}
