#include "_rez/tform1.h"

#include "util_rez/config/pointeur.h"
#include "util_rez/plot/trace.h"
#include "util_rez/shell/ecran.h"
#include "util_rez/shell/titre.h"

#include <QFileInfo>

namespace {
constexpr int32_t gris_setup = 165 + 165 * 256 + 165 * 65536;
constexpr int32_t couleur_apercu = 163 + 147 * 256 + 115 * 65536;
} // namespace

void TForm1::FormCreate(const QStringList& arguments) {
    // A box of start-up runs an event loop that lets the first tick in, which would find a
    // half-built session and open its own box on top.
    const PauseRafraichissement pause(*this);
    const QRect ecran = plateforme_->ecran();
    move(width() < ecran.width() ? (ecran.width() - width()) / 2 : 0,
         height() < ecran.height() ? (ecran.height() - height()) / 2 : 0);

    couleurs_courbes = couleurs_courbes_depart;
    cases_courbes = {nullptr, CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8};

    setup_Panel4->move(Memo1->x() + 50, 5);
    setup_Panel4->setColor(gris_setup);

    if (rep_prog.isEmpty() || !rep_prog.endsWith(QLatin1Char('/')))
        rep_prog += QLatin1Char('/');

    // A bad setup line is reported, and start-up goes on: one typo must not leave the window
    // without its texts, its curves or its session placement. The report waits for the
    // language the lines before it chose.
    std::optional<ErreurRez> erreur_setup;
    try {
        charge_setup();
    } catch (const ErreurRez& e) {
        erreur_setup = e;
    }
    avec_excel = RadioGroup1->ItemIndex() == 0;
    garde([this] { charge_langues(); });
    if (erreur_setup)
        montre_erreur(texte_erreur(*erreur_setup));
    else if (!setup_personnel_illisible.isEmpty())
        montre_erreur(texte_message(112) + QLatin1Char('\n') + // own setup unreadable: shipped one used
                      setup_personnel_illisible);

    Label3->setText(lit_pointeur(emplacements, fichier_dossier_memorise));
    if (Label3->text().isEmpty())
        Label3->setText(texte_message(3)); // no folder remembered yet

    for (int k = 1; k <= 7; ++k)
        cases_courbes[k]->setChecked(true);
    Label11->clear();

    bool charge_echouee = false;
    // An empty first argument (`lintrace ""` from a script whose variable was empty) names no file.
    if (!arguments.isEmpty() && !arguments.first().isEmpty()) {
        const QString a = arguments.first();
        if (a != QLatin1String("#1") && a != QLatin1String("#2")) {
            chemin_cible = a;
            // A long file takes seconds to load: the window shows meanwhile, with its note.
            if (QFileInfo(a).size() >= taille_chargement_a_part) show();
            try {
                charge_fichier_dans_memo_et_affiche(a);
            } catch (const ErreurRez& e) {
                charge_echouee = true;
                montre_erreur(texte_erreur(e));
            }
        } else {
            const bool bas = a == QLatin1String("#2");
            Label11->setText(bas ? Edit8->text() : Edit6->text());
            place_cadre(cadre_session_depart(ecran, bas));
            if (bas) Image3->hide();
        }
    }
    affiche_titre();
    commentaire_modifie = false;
    // A file named on the command line counts as changed at the first tick, so the tick
    // reloads it once more. After a failed load the recorded values stay those of the file,
    // so the refresh retries only once the file changes.
    if (!charge_echouee) {
        taille_cible = 0;
        age_cible = 0;
        identite_cible.reset();
    }
    Panel4->move(Memo1->x(), Panel4->y());
    Panel4->setColor(couleur_apercu);
    setColor(placement_bas() ? Panel6->Color() : Panel5->Color());
}

void TForm1::affiche_titre() {
    setWindowTitle(titre_fenetre(Label11->text(), chemin_cible));
}
