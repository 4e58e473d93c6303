#pragma once
#include "_rez/plateforme.h"
#include "_rez/widgets/controles.h"
#include "_rez/widgets/nom_session.h"
#include "_rez/widgets/image_trace.h"
#include "_rez/widgets/note_travail.h"
#include "_rez/widgets/vue_lignes.h"
#include "util_rez/base/echelles.h"
#include "util_rez/base/erreur.h"
#include "util_rez/base/hors_fil.h"
#include "util_rez/config/emplacements.h"
#include "util_rez/config/langue.h"
#include "util_rez/files/fichier_cible.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/files/fin_de_fichier.h"
#include "util_rez/files/remplace_fichier.h"
#include "util_rez/output/uno/tableur_uno.h"
#include "util_rez/target/tableau.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class Ancrage;
class LectureCible;
class LignesCible;
class QKeySequence;
class QPrinter;
class QTranslator;
class SuiviTrace;
class TableurExcel;
struct DonneesTableur;
struct DonneesTrace;

// The one window: every control under its own name, the program-wide state, every handler.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // `dossier_prog` is where the program's files live (the executable's folder by default);
    // `arguments` are the command-line arguments after the program name.
    TForm1(const QStringList& arguments, const QString& dossier_prog, std::unique_ptr<Plateforme> plateforme);
    // The same with the folders for the files the program writes already decided.
    TForm1(const QStringList& arguments, const Emplacements& emplacements, std::unique_ptr<Plateforme> plateforme);
    ~TForm1() override;

    // ---- controls of the main window
    QLabel* Label3;
    QLabel* Label2;
    QPushButton* SpeedButton1;
    QLabel* StaticText7;
    QLabel* Label6;
    QCheckBox* sound_CheckBox8;
    VueLignes* Memo1;
    QLabel* Label15;
    QPlainTextEdit* Memo3;
    QLabel* Label1;
    QPushButton* setup_SpeedButton6;
    QPushButton* SpeedButton3;
    QPushButton* SpeedButton4;
    QPushButton* SpeedButton5;
    QPushButton* SpeedButton10;
    QPushButton* SpeedButton7;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QCheckBox* CheckBox6;
    QCheckBox* CheckBox7;
    QCheckBox* CheckBox8;
    NomSession* Label11;
    QPushButton* SpeedButton8;
    QPushButton* SpeedButton9;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label8;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* x_moins_SpeedButton3;
    QPushButton* x_plus_SpeedButton3;
    QPushButton* y_moins_SpeedButton3;
    QPushButton* y_plus_SpeedButton3;
    QCheckBox* autoscale_X_CheckBox7;
    QCheckBox* autoscale_Y_CheckBox8;
    QCheckBox* fenetre_CheckBox9;
    QLineEdit* Edit9;
    QPushButton* Button1;
    QPushButton* SpeedButton12;
    TImage* Image3;
    QScrollArea* ScrollBox1;
    ImageTrace* Image1;
    EtiquetteLecture* lecture_Label;
    // hidden working controls
    QPlainTextEdit* Memo4;
    QPlainTextEdit* presse_papier_Memo5;
    // setup panel
    TPanel* setup_Panel4;
    QLabel* Setupo;
    QLabel* Label10;
    QLineEdit* Edit5;
    TPanel* Panel1;
    TRadioGroup* langage_RadioGroup1;
    QCheckBox* avecn1;
    QPushButton* SpeedButton6;
    QLabel* Label9;
    QLineEdit* Edit3;
    TRadioGroup* RadioGroup1;
    QLabel* Label12;
    QLineEdit* Edit4;
    QLabel* Label16;
    QLabel* Label13;
    QLineEdit* Edit6;
    TPanel* Panel5;
    QLabel* Label14;
    QLineEdit* Edit8;
    TPanel* Panel6;
    QPushButton* SpeedButton2;
    QPushButton* SpeedButton11;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    // help, about and print preview panels
    TPanel* Panel7;
    QPlainTextEdit* Memo5;
    QPushButton* SpeedButton13;
    TPanel* Panel2;
    TImage* Image2;
    TPanel* Panel3;
    QLabel* StaticText1;
    QLabel* StaticText2;
    QLabel* StaticText3;
    QLabel* StaticText4;
    TPanel* Panel4;
    TImage* preview_Image4;
    // non-visual
    QTimer* Timer1;
    QString OpenDialog1_Title;

    // ---- program-wide state
    QString rep_prog;
    Emplacements emplacements; // where the written files go and user-written files are read
    std::array<QColor, 9> couleurs_courbes{};      // 1..8
    std::array<QCheckBox*, 9> cases_courbes{};     // 1..8
    bool avec_excel = true;
    bool commentaire_modifie = false;
    int32_t taille_cible = 0;
    int32_t age_cible = 0;
    std::optional<IdentiteFichier> identite_cible; // what the size and the stamp cannot tell
    QString chemin_cible;
    bool arrete = false;
    QString fichier_langue;
    std::unique_ptr<Tableau> tableau;
    int nb_enreg = 0;
    long double max_x = -10;
    long double max_y = -10;
    Echelles echelles;
    int enreg_lecture = 0;   // the record the readout shows, 0 for none
    int enreg_reference = 0; // the reference record, 0 for none
    TableLangue langue;
    int enreg_ecartes = 0;            // record-like lines skipped for their run time
    // The loaded lines, as Memo1 shows them, over the target file's bytes as the last load
    // read them.
    const LignesCible& lignes_chargees() const;
    Codage codage_cible() const; // their encoding, which a rewrite must keep
    int nb_chargements = 0;           // loads attempted, so a test can count reloads
    QString setup_personnel_illisible; // the user's setup file and why it could not be read
    TableurUno::Limites limites_uno;  // how long the office may take to answer
    NoteTravail* note_travail = nullptr; // shown while a long output runs
    qint64 taille_chargement_a_part = qint64(16) << 20; // a whole load from this size on runs off its thread

    // The window's own colour code (0x00BBGGRR, system colours with the top bit).
    int32_t Color() const { return couleur_fenetre_; }
    void setColor(int32_t code);
    bool placement_bas() const;
    Plateforme& plateforme() { return *plateforme_; }

    // ---- start-up, settings, languages
    void FormCreate(const QStringList& arguments);
    void charge_setup();
    void SpeedButton11Click();
    void setup_SpeedButton6Click();
    void SpeedButton2Click();
    void RadioGroup1Click();
    QString texte_message(int numero) const { return langue.texte_message(numero); }
    // A failure of window-free code worded in the window's language.
    QString texte_erreur(const ErreurRez& e) const;
    QString texte_erreur_son(const QString& chemin) const;
    QString filtre_cible() const;
    void charge_langues();
    void applique_textes();
    void applique_traduction_qt();
    void langage_RadioGroup1Click();
    void avecn1Click();
    void SpeedButton6Click();

    // ---- target file and refresh
    void SpeedButton1Click();
    void charge_fichier_dans_memo_et_affiche(const QString& chemin);
    void remplit_tableau();
    void Timer1Timer();
    void joue_son();
    void sound_CheckBox8Click();

    // ---- plot
    void trace_graphe(QChar mode);
    void SpeedButton5Click();
    void applique_autoscale();
    void x_plus_SpeedButton3Click();
    void x_moins_SpeedButton3Click();
    void y_plus_SpeedButton3Click();
    void y_moins_SpeedButton3Click();
    void autoscale_X_CheckBox7Click();
    void autoscale_Y_CheckBox8Click();
    void Edit1KeyPress(QChar touche);
    void Edit2KeyPress(QChar touche);
    void Edit3KeyPress(QChar touche);
    void CheckBox1Click();
    void ScrollBox1Resize();
    void Memo3Change();
    void Memo3KeyDown();
    void Button1MouseDown(Qt::MouseButton bouton);
    void Panel5MouseDown(Qt::MouseButton bouton);
    void Panel6MouseDown(Qt::MouseButton bouton);
    void fenetre_CheckBox9Click();
    void Edit9KeyPress(QChar touche);
    void Image1MouseMove(QPoint position);
    void Image1MouseLeave();
    void Image1MouseDown(Qt::MouseButton bouton, QPoint position);
    void Image1MouseWheel(int crans, bool shift);
    void Image1KeyDown(int touche);

    // ---- comment append, closing question, table export
    void SpeedButton4Click();
    bool FormClose();
    void SpeedButton10Click();

    // ---- spreadsheet export
    void SpeedButton7Click();
    void exporte_tableur();
    bool prepare_classeur(const QString& base, QString& classeur);
    bool _connecter_tableur_open_visible(const QString& chemin, bool visible);
    void ecrit_cellule(int ligne, int colonne, const QString& texte);
    // The office connection kept from one export to the next; null before the first.
    TableurUno* tableur_uno() { return tableur_uno_.get(); }

    // ---- help, about, screen halves
    void SpeedButton12Click();
    void SpeedButton13Click();
    void SpeedButton3Click();
    void Panel3Click();
    int hauteur_barre_taches() const;
    void SpeedButton8Click();
    void SpeedButton9Click();
    // Places the frame again once the window manager has told how thick it is.
    void ajuste_cadre();
    // Esc: hides the pop-up panel on top, as its own Close would.
    void ferme_panneau_ouvert();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void cree_controles();
    void cree_panneau_setup();
    void cree_panneaux_aide();
    void cablage();
    void cree_raccourcis();
    QString avec_touche(const QString& texte, const QKeySequence& touche) const;
    // Runs a handler, shows a failed conversion or file operation in the error box and ends it.
    void garde(const std::function<void()>& corps);
    // Connects a signal to a handler through garde, so none can let an exception reach the
    // event loop.
    template <typename Emetteur, typename Signal, typename... Arguments>
    void relie(Emetteur* emetteur, Signal signal, void (TForm1::*gestionnaire)(Arguments...)) {
        connect(emetteur, signal, this,
                [this, gestionnaire](Arguments... a) { garde([&] { (this->*gestionnaire)(a...); }); });
    }
    template <typename Emetteur, typename Signal>
    void relie(Emetteur* emetteur, Signal signal, std::function<void()> corps) {
        connect(emetteur, signal, this, [this, corps] { garde(corps); });
    }
    void montre_erreur(const QString& texte);
    void zoom(QLineEdit* champ, int32_t (*pas)(int32_t));
    void choisit_couleur_session(TPanel* pastille, Qt::MouseButton bouton);
    void place_demi_ecran(bool bas);
    void place_cadre(const QRect& cadre);
    void applique_cadre();
    void affiche_titre();
    void affiche_nb_enreg();
    void memorise_choix(const QFileInfo& choisi);
    bool ecrit_commentaire(const QString& chemin, bool sur_cible, const QStringList& commentaire);
    bool ecrit_copie_commentee(const QString& chemin, const QByteArray& bloc);
    void refuse_cible_absente();
    void recharge_cible_changee();
    void verifie_codable(const QStringList& lignes) const;
    void ecrit_ou_signale(const QString& chemin, const QByteArray& octets, Lien lien = Lien::Suivi) const;
    [[noreturn]] void signale_non_ecrit(const QString& chemin, const QString& raison, Lien lien) const;
    // Throws when one of the program's own files has been replaced by a link, a pipe, a device or
    // a folder.
    void refuse_intrus(const QString& chemin) const;
    std::array<bool, 9> coches_courbes() const;
    DonneesTrace donnees_trace() const;
    // The full-scale fields, or the window on the latest data while it is checked.
    Echelles echelles_affichees() const;
    int enreg_sous(int colonne);
    bool temps_ordonnes_charges();
    void montre_lecture();
    void actualise_lecture();
    void imprime_page();
    std::unique_ptr<QPrinter> choisit_imprimante(QString& nom);
    void montre_apercu(QSize page);
    void imprime_sur(QPrinter& imprimante, QSize page, const QString& nom);
    DonneesTableur donnees_tableur(bool virgule) const;
    QString message_tableur(const ErreurTableur& e, const QString& classeur) const;
    void montre_note(const QString& texte, const QString& texte_arret);
    FinAttente hors_fenetre(const QString& texte, std::function<void()> travail,
                            const std::function<int()>& pour_cent);
    QString ecrit_table_texte(const QString& nom);
    QString classeur_de_secours();
    void applique_parse(const ResultatParse& r);
    bool charge_ajout(const QString& chemin, const QString& marque);
    void charge_complete(const QString& chemin, const QString& marque);
    void charge_a_part(const QString& chemin, const QString& marque, qint64 taille);
    void montre_commentaire(const QStringList& lignes);

    std::unique_ptr<Plateforme> plateforme_;
    // Qt's own texts (dialog buttons, key names) in the chosen language.
    std::unique_ptr<QTranslator> traduction_qt_;
    std::unique_ptr<Ancrage> ancrage_;
    int32_t couleur_fenetre_;
    // Start-up and open error boxes hold the refresh ticks.
    int pause_rafraichissement_ = 0;
    struct PauseRafraichissement {
        explicit PauseRafraichissement(TForm1& f) : f_(f) { ++f_.pause_rafraichissement_; }
        ~PauseRafraichissement() { --f_.pause_rafraichissement_; }
        PauseRafraichissement(const PauseRafraichissement&) = delete;
        PauseRafraichissement& operator=(const PauseRafraichissement&) = delete;
        TForm1& f_;
    };
    // The target as the last load found it, which a comment save checks it still is; unlike
    // identite_cible, never cleared to make the next tick reload.
    IdentiteFichier identite_chargee_;
    // The target's end as the last comment save left it: saving again before the refresh has
    // reloaded it is no change by its writer. Forgotten at every load.
    std::optional<FinAttendue> ecrit_sur_cible_;
    std::unique_ptr<TableurUno> tableur_uno_;
    std::unique_ptr<TableurExcel> tableur_excel_;
    Tableur* tableur_ = nullptr;
    QString modele_tableur_;
    QString dossier_secours_; // the private folder of the workbooks filled from the template
    QString marques_commentaire_; // the comment headings of every language, one a line
    bool chargement_en_cours_ = false; // a long file read off the window's thread
    bool sortie_en_cours_ = false; // an export or a save, which the window goes on during
    std::unique_ptr<LectureCible> lecture_cible_;
    std::unique_ptr<SuiviTrace> suivi_trace_;
    // The frame a placement asked for: a window manager tells the thickness of its frame only
    // once the window is shown, so the placement is made again then.
    std::optional<QRect> cadre_voulu_;
    QTimer* attente_marges_ = nullptr;
    int essais_marges_ = 0;
    // Whether the loaded run times are in order, for the load and record count it was found for.
    struct OrdreTemps {
        int chargement = -1, nb_enreg = -1;
        bool ordonnes = false;
    } ordre_temps_;
    QPoint ancre_lecture_;        // where the readout box goes beside
    QString cible_lecture_;       // the target the two records belong to
};
