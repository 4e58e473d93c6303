#include "_rez/tform1.h"
#include "_rez/touches.h"

#include "util_rez/config/pointeur.h"
#include "util_rez/config/setup.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QTranslator>

void TForm1::charge_langues() {
    try {
        charge_table_langue(langue, emplacements, fichier_langue, avecn1->isChecked(), [this](const QString& chemin) {
            // missing language file: text 42, the path, text 43
            plateforme_->message(this, Plateforme::Genre::Information,
                                 texte_message(42) + chemin + texte_message(43), QMessageBox::Ok);
        });
    } catch (const ErreurRez& e) {
        // A file too large to read leaves the texts loaded so far; the captions still get them.
        montre_erreur(texte_erreur(e));
    }
    marques_commentaire_ = marques_commentaire(emplacements, texte_message(50)); // comment heading
    Memo4->setPlainText(langue.lignes().join(QLatin1Char('\n')));
    applique_traduction_qt(); // before the texts: the hints name keys in Qt's words
    applique_textes();
}

// Without the translation for a language, Qt's dialogs keep their English.
void TForm1::applique_traduction_qt() {
    const QString code = code_langue(langage_RadioGroup1->ItemIndex());
    if (code.isEmpty())
        return;
    traduction_qt_.reset();
    auto traduction = std::make_unique<QTranslator>();
    if (!traduction->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(traduction.get());
    traduction_qt_ = std::move(traduction);
}

QString TForm1::avec_touche(const QString& texte, const QKeySequence& touche) const {
    return texte + QStringLiteral(" (") + touche.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

void TForm1::applique_textes() {
    SpeedButton1->setText(texte_message(1));
    SpeedButton1->setToolTip(avec_touche(texte_message(96), touche_cible)); // hint: choose the target file
    OpenDialog1_Title = texte_message(2);
    Label3->setText(texte_message(3));
    Label2->setText(texte_message(4));
    sound_CheckBox8->setText(texte_message(5));
    StaticText7->setText(texte_message(6));
    SpeedButton3->setText(texte_message(7));
    SpeedButton4->setText(texte_message(8));
    Label4->setText(texte_message(10));
    Label10->setText(texte_message(13));
    avecn1->setText(texte_message(14));
    for (QWidget* fermer : std::initializer_list<QWidget*>{SpeedButton2, SpeedButton13, Panel3})
        fermer->setToolTip(avec_touche(texte_message(15), touche_fermer));
    SpeedButton2->setText(texte_message(15));
    SpeedButton13->setText(texte_message(15));
    Panel3->setCaption(texte_message(15));
    langage_RadioGroup1->setTitle(texte_message(16));
    for (int i = 0; i < 4; ++i)
        langage_RadioGroup1->setItem(i, texte_message(17 + i));
    Setupo->setText(texte_message(21));
    Label1->setText(texte_message(50));
    Label15->setText(texte_message(51));
    Label15->setToolTip(QString());
    SpeedButton6->setText(texte_message(52));
    Label9->setText(texte_message(53));
    Label13->setText(texte_message(54));
    Label14->setText(texte_message(55));
    SpeedButton11->setText(texte_message(56));
    RadioGroup1->setItem(0, texte_message(57));
    RadioGroup1->setItem(1, texte_message(58));
    SpeedButton4->setToolTip(avec_touche(texte_message(59), touche_commentaire));
    SpeedButton5->setToolTip(avec_touche(texte_message(60), touche_impression));
    SpeedButton10->setToolTip(avec_touche(texte_message(61), touche_export));
    SpeedButton7->setToolTip(texte_message(62));
    SpeedButton8->setToolTip(texte_message(63));
    SpeedButton9->setToolTip(texte_message(64));
    Button1->setToolTip(texte_message(65));
    autoscale_X_CheckBox7->setText(texte_message(66));
    autoscale_Y_CheckBox8->setText(texte_message(67));
    SpeedButton12->setToolTip(avec_touche(texte_message(97), touche_aide)); // hint: help
    setup_SpeedButton6->setToolTip(texte_message(98));                      // hint: setup panel
    Label12->setText(texte_message(99));                                    // decimal mark caption
    StaticText1->setText(texte_message(101)); // about: product line
    StaticText2->setText(texte_message(102)); // about: what it is for
    StaticText3->setText(texte_message(103) + QStringLiteral(" " LINTRACE_VERSION)); // about: "Version"
    StaticText4->setText(texte_message(104)); // about: licence
    fenetre_CheckBox9->setText(texte_message(118)); // caption: window on the latest data
    for (QWidget* w : std::initializer_list<QWidget*>{fenetre_CheckBox9, Edit9})
        w->setToolTip(texte_message(119)); // hint: the window on the latest data
    Image1->setToolTip(texte_message(120)); // hint: the plot's reading gestures
    actualise_lecture();                    // names the run time in the new language
    affiche_nb_enreg();
}

void TForm1::langage_RadioGroup1Click() {
    const QString nom = nom_fichier_langue(langage_RadioGroup1->ItemIndex());
    if (!nom.isEmpty())
        fichier_langue = nom;
    charge_langues();
    Label3->setText(lit_pointeur(emplacements, fichier_dossier_memorise));
    if (Label3->text().isEmpty())
        Label3->setText(texte_message(3)); // no folder remembered yet
}

void TForm1::avecn1Click() {
    langage_RadioGroup1Click();
}

void TForm1::SpeedButton6Click() {
    plateforme_->ouvre_editeur(emplacements.dossier_modification(fichier_langue), fichier_langue);
}
