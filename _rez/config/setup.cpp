#include "_rez/tform1.h"

#include "util_rez/config/setup.h"

#include <QDir>

namespace {
ReglagesSetup lit_controles(const TForm1& f) {
    ReglagesSetup r;
    r.periode = f.Edit5->text();
    r.langue = f.langage_RadioGroup1->ItemIndex();
    r.epaisseur = f.Edit3->text();
    r.decimale = f.Edit4->text();
    r.nom_haut = f.Edit6->text();
    r.nom_bas = f.Edit8->text();
    r.son = f.sound_CheckBox8->isChecked();
    r.tableur = f.RadioGroup1->ItemIndex();
    r.couleur_haut = f.Panel5->Color();
    r.couleur_bas = f.Panel6->Color();
    r.fenetre = f.Edit9->text();
    return r;
}
} // namespace

void TForm1::charge_setup() {
    const QString chemin = emplacements.chemin_lu(nom_fichier_setup);
    const QString livre = QDir(emplacements.dossier_prog()).filePath(nom_fichier_setup);
    LectureSetup lu;
    try {
        lu = lit_setup(chemin, lit_controles(*this));
    } catch (const ErreurRez& e) {
        if (chemin == livre) throw;
        // The user's own copy cannot be read: the shipped settings instead, told once the
        // language is known.
        setup_personnel_illisible = chemin + QLatin1Char('\n') + e.texte();
        lu = lit_setup(livre, lit_controles(*this));
    }
    if (!lu.fichier_present) {
        langage_RadioGroup1->setItemIndex(2);
    } else {
        const ReglagesSetup& r = lu.reglages;
        // Applied in file order, each as the user's own change would be, up to a bad line.
        const std::function<void()> applique[] = {
            [&] { Edit5->setText(r.periode); },
            [&] { langage_RadioGroup1->setItemIndex(r.langue); },
            [&] { Edit3->setText(r.epaisseur); },
            [&] { Edit4->setText(r.decimale); },
            [&] { Edit6->setText(r.nom_haut); },
            [&] { Edit8->setText(r.nom_bas); },
            [&] { sound_CheckBox8->setChecked(r.son); },
            [&] { RadioGroup1->setItemIndex(r.tableur); },
            [&] { Panel5->setColor(r.couleur_haut); },
            [&] { Panel6->setColor(r.couleur_bas); },
            [&] { Edit9->setText(r.fenetre); },
        };
        for (int i = 0; i < lu.lignes_appliquees; ++i)
            applique[i]();
    }
    const QString nom = nom_fichier_langue(langage_RadioGroup1->ItemIndex());
    if (!nom.isEmpty())
        fichier_langue = nom;
    if (lu.erreur)
        throw *lu.erreur;
}

void TForm1::SpeedButton11Click() {
    const QString chemin = emplacements.chemin_ecrit(nom_fichier_setup);
    QString raison;
    if (!ecrit_setup(chemin, lit_controles(*this), raison)) {
        // setup not saved: text 90, the file, the reason
        const QString texte = texte_message(77) + QLatin1Char('\n') + chemin + QLatin1Char('\n') + raison;
        plateforme_->message(this, Plateforme::Genre::Erreur, texte, QMessageBox::Ok);
    }
}

void TForm1::setup_SpeedButton6Click() {
    setup_Panel4->bascule();
}

void TForm1::SpeedButton2Click() {
    setup_Panel4->hide();
}

void TForm1::RadioGroup1Click() {
    avec_excel = RadioGroup1->ItemIndex() == 0;
}
