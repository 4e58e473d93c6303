#include "_rez/tform1.h"

#include <QScopeGuard>
#include <limits>

void TForm1::montre_note(const QString& texte, const QString& texte_arret) {
    if (!note_travail) note_travail = new NoteTravail(this);
    note_travail->montre(texte, texte_arret, ScrollBox1->geometry());
}

// The note comes once the work has taken a moment, so that a short output does not flash it;
// with `pour_cent`, it says how far the work has got.
FinAttente TForm1::hors_fenetre(const QString& texte, std::function<void()> travail,
                                const std::function<int()>& pour_cent) {
    QTimer minuteur;
    bool montree = false;
    connect(&minuteur, &QTimer::timeout, this, [&] {
        if (!montree) montre_note(texte, QString());
        montree = true;
        if (pour_cent) note_travail->avance(pour_cent());
    });
    minuteur.start(250);
    const auto fin = qScopeGuard([&] {
        if (montree) note_travail->hide();
    });
    return attend_hors_fil(std::move(travail), std::numeric_limits<int>::max());
}
