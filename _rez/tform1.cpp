#include "_rez/tform1.h"

#include "_rez/widgets/ancrage.h"
#include "_rez/widgets/icone.h"
#include "util_rez/config/setup.h"
#include "util_rez/output/ooxml/tableur_excel.h"
#include "util_rez/plot/trace_suivi.h"
#include "util_rez/shell/couleurs.h"
#include "util_rez/shell/ecran.h"
#include "util_rez/target/lecture_cible.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QStyle>
#include <QTranslator>
#include <QVBoxLayout>

namespace {

// The form's sans font at a pixel height; the original's heights are character heights.
// Liberation Sans keeps the narrow widths the control sizes were laid out for.
QFont police(int pixels, bool gras = false, const QString& famille = QStringLiteral("Liberation Sans")) {
    QFont f(famille);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    f.setBold(gras);
    return f;
}

template <class T> T* place(T* w, const char* nom, int x, int y, int l, int h) {
    w->setObjectName(QString::fromLatin1(nom));
    w->setGeometry(x, y, l, h);
    return w;
}

QLabel* etiquette(QWidget* p, const char* nom, QRect g, const QString& texte, int px = 11, bool gras = false) {
    auto* l = place(new QLabel(texte, p), nom, g.x(), g.y(), g.width(), g.height());
    l->setFont(police(px, gras));
    l->setAutoFillBackground(false);
    return l;
}

QPushButton* bouton(QWidget* p, const char* nom, QRect g, const QString& texte, int px = 11, bool gras = false) {
    auto* b = place(new QPushButton(texte, p), nom, g.x(), g.y(), g.width(), g.height());
    b->setFont(police(px, gras));
    // Tab reaches a button and Space presses it; a click leaves the focus where the user typed.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QCheckBox* case_a_cocher(QWidget* p, const char* nom, QRect g, const QString& texte, int px = 11,
                         bool gras = false) {
    auto* c = place(new QCheckBox(texte, p), nom, g.x(), g.y(), g.width(), g.height());
    c->setFont(police(px, gras));
    return c;
}

QLineEdit* champ(QWidget* p, const char* nom, QRect g, const QString& texte) {
    auto* e = place(new QLineEdit(texte, p), nom, g.x(), g.y(), g.width(), g.height());
    e->setFont(police(11));
    return e;
}

QIcon glyphe(QStyle::StandardPixmap s) {
    return QApplication::style()->standardIcon(s);
}

// The form's own glyphs. QIcon greys a disabled button's picture itself.
QIcon glyphe(const char* nom) {
    return QIcon(QStringLiteral(":/glyphes/%1.svg").arg(QLatin1String(nom)));
}

// The sizes the SVG glyphs are drawn for: one unit a pixel, so their lines keep to whole pixels.
constexpr int taille_glyphe = 22;
constexpr int taille_glyphe_couleur = 14;
constexpr int taille_glyphe_demi_ecran = 16;

constexpr QSize taille_client_conception(1154, 552);

} // namespace

TForm1::TForm1(const QStringList& arguments, const QString& dossier_prog, std::unique_ptr<Plateforme> plateforme)
    : TForm1(arguments, Emplacements::pour(dossier_prog), std::move(plateforme)) {}

TForm1::TForm1(const QStringList& arguments, const Emplacements& emplacements_,
               std::unique_ptr<Plateforme> plateforme)
    : QWidget(nullptr), emplacements(emplacements_), tableau(std::make_unique<Tableau>()),
      plateforme_(std::move(plateforme)), ancrage_(std::make_unique<Ancrage>(taille_client_conception)),
      couleur_fenetre_(couleur_face_bouton), lecture_cible_(std::make_unique<LectureCible>()),
      suivi_trace_(std::make_unique<SuiviTrace>()) {
    setObjectName(QStringLiteral("Form1"));
    rep_prog = emplacements.dossier_prog();
    setWindowIcon(icone_lintrace());
    setWindowTitle(QStringLiteral("Lintrace   "));
    setFont(police(11));
    setAutoFillBackground(true);
    move(359, 112);
    resize(1162, 586);
    cree_controles();
    cree_panneau_setup();
    cree_panneaux_aide();
    cablage();
    // Shown after the player's own signal has returned: a box's event loop may start the next
    // sound, which replaces the player that is reporting.
    plateforme_->erreur_son = [this](const QString& chemin) {
        QTimer::singleShot(0, this, [this, chemin] { montre_erreur(texte_erreur_son(chemin)); });
    };
    Timer1->start(1000);
    FormCreate(arguments);
}

TForm1::~TForm1() = default;

void TForm1::setColor(int32_t code) {
    couleur_fenetre_ = code;
    QPalette p = palette();
    p.setColor(QPalette::Window, couleur_depuis_code(code, QPalette()));
    setPalette(p);
}

// The frame's top and height, title bar included: a window manager's frame changes neither the
// test nor the placements, which set the frame.
bool TForm1::placement_bas() const {
    return cadre_en_bas(frameGeometry());
}

void TForm1::cree_controles() {
    Label3 = etiquette(this, "Label3", {12, 5, 42, 16}, QStringLiteral("Line 1"), 13, true);
    Label2 = etiquette(this, "Label2", {12, 27, 42, 16}, QStringLiteral("Line 2"), 13, true);
    // The header lines are long; the original labels grew with their text.
    Label3->resize(495, 16);
    Label2->resize(495, 16);
    SpeedButton1 = bouton(this, "SpeedButton1", {12, 51, 154, 42}, QStringLiteral("Target file"), 13, true);
    SpeedButton1->setIcon(glyphe(QStyle::SP_DialogOpenButton));
    StaticText7 = etiquette(this, "StaticText7", {187, 54, 129, 20}, QStringLiteral("number of records"), 13, true);
    Label6 = etiquette(this, "Label6", {335, 50, 10, 24}, QStringLiteral("0"), 21);
    // From the end of its caption's box to the curve boxes, down to the text view.
    Label6->setGeometry(318, 50, 61, 46);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label6->setWordWrap(true);
    sound_CheckBox8 = case_a_cocher(this, "sound_CheckBox8", {187, 77, 75, 17}, QStringLiteral("sound"), 13, true);
    Memo1 = place(new VueLignes(&lecture_cible_->lignes(), this), "Memo1", 8, 104, 369, 313);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label15 = etiquette(this, "Label15", {13, 422, 39, 13}, QStringLiteral("Last line"));
    Label15->resize(490, 13);
    Memo3 = place(new QPlainTextEdit(this), "Memo3", 8, 440, 369, 73);
    Memo3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A comment box that kept the Tab key would hold the keyboard's user in it.
    Memo3->setTabChangesFocus(true);
    Label1 = etiquette(this, "Label1", {384, 440, 65, 16}, QStringLiteral("Comment"), 13, true);
    Label1->resize(120, 16);
    setup_SpeedButton6 = bouton(this, "setup_SpeedButton6", {3, 515, 42, 29}, QString());
    setup_SpeedButton6->setIcon(glyphe("setup"));
    SpeedButton3 = bouton(this, "SpeedButton3", {49, 515, 71, 30}, QStringLiteral("about"), 13, true);
    SpeedButton4 = bouton(this, "SpeedButton4", {125, 515, 206, 30}, QStringLiteral("Save with append comment"), 13,
                          true);
    SpeedButton4->setToolTip(QStringLiteral("Append comment to taget file"));
    SpeedButton5 = bouton(this, "SpeedButton5", {335, 515, 56, 30}, QString());
    SpeedButton5->setToolTip(QStringLiteral("Print header, comment and graphic"));
    SpeedButton5->setIcon(glyphe("impression"));
    SpeedButton10 = bouton(this, "SpeedButton10", {395, 515, 56, 30}, QString());
    SpeedButton10->setToolTip(QStringLiteral("Export file and clipborad"));
    SpeedButton10->setIcon(glyphe("table_presse_papier"));
    SpeedButton7 = bouton(this, "SpeedButton7", {454, 515, 56, 30}, QString());
    SpeedButton7->setToolTip(QStringLiteral("Export vers tableur"));
    SpeedButton7->setIcon(glyphe("tableur"));
    for (QPushButton* b : {setup_SpeedButton6, SpeedButton5, SpeedButton10, SpeedButton7})
        b->setIconSize({taille_glyphe, taille_glyphe});
    const int y_cases[] = {23, 55, 87, 119, 151, 183, 213, 241};
    QCheckBox** cases[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4,
                           &CheckBox5, &CheckBox6, &CheckBox7, &CheckBox8};
    static const char* const noms_cases[] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                             "CheckBox5", "CheckBox6", "CheckBox7", "CheckBox8"};
    for (int k = 0; k < 8; ++k) {
        *cases[k] = case_a_cocher(this, noms_cases[k], {k < 6 ? 381 : 382, y_cases[k], 97, 17}, QString());
        (*cases[k])->resize(125, 17);
    }
    // All the room between the curve boxes and the screen-half buttons, above the plot.
    Label11 = place(new NomSession(this, 13), "Label11", 508, 1, 69, 63);
    Label11->setFont(police(33, true));
    SpeedButton8 = bouton(this, "SpeedButton8", {579, 5, 23, 22}, QString());
    SpeedButton8->setToolTip(QStringLiteral("Demi-écran haut"));
    SpeedButton8->setIcon(glyphe("demi_ecran_haut"));
    SpeedButton9 = bouton(this, "SpeedButton9", {579, 33, 23, 22}, QString());
    SpeedButton9->setToolTip(QStringLiteral("Demi-écran bas"));
    SpeedButton9->setIcon(glyphe("demi_ecran_bas"));
    for (QPushButton* b : {SpeedButton8, SpeedButton9})
        b->setIconSize({taille_glyphe_demi_ecran, taille_glyphe_demi_ecran});
    Label4 = etiquette(this, "Label4", {624, 21, 39, 16}, QStringLiteral("scale"), 13, true);
    Label4->resize(56, 16);
    Label5 = etiquette(this, "Label5", {682, -1, 10, 24}, QStringLiteral("x"), 21);
    Label8 = etiquette(this, "Label8", {681, 30, 9, 24}, QStringLiteral("y"), 21);
    Edit1 = champ(this, "Edit1", {703, 3, 49, 21}, QStringLiteral("5"));
    Edit2 = champ(this, "Edit2", {703, 35, 49, 21}, QStringLiteral("100"));
    x_moins_SpeedButton3 = bouton(this, "x_moins_SpeedButton3", {764, 3, 23, 22}, QStringLiteral("-"), 21, true);
    x_plus_SpeedButton3 = bouton(this, "x_plus_SpeedButton3", {796, 3, 23, 22}, QStringLiteral("+"), 21, true);
    y_moins_SpeedButton3 = bouton(this, "y_moins_SpeedButton3", {762, 35, 23, 22}, QStringLiteral("-"), 21, true);
    y_plus_SpeedButton3 = bouton(this, "y_plus_SpeedButton3", {796, 35, 23, 22}, QStringLiteral("+"), 21, true);
    autoscale_X_CheckBox7 =
        case_a_cocher(this, "autoscale_X_CheckBox7", {841, 4, 101, 17}, QStringLiteral("autoscale"), 13, true);
    autoscale_Y_CheckBox8 =
        case_a_cocher(this, "autoscale_Y_CheckBox8", {841, 36, 93, 17}, QStringLiteral("autoscale"), 13, true);
    // The latest-data window on the x scale's row, in the room left before the logo.
    fenetre_CheckBox9 = case_a_cocher(this, "fenetre_CheckBox9", {944, 3, 62, 17}, QStringLiteral("window"));
    Edit9 = champ(this, "Edit9", {1006, 1, 38, 19}, QStringLiteral("60"));
    autoscale_X_CheckBox7->setChecked(true);
    autoscale_Y_CheckBox8->setChecked(true);
    Button1 = bouton(this, "Button1", {977, 21, 20, 20}, QString());
    Button1->setToolTip(QStringLiteral("Changez la couleur  du fond"));
    Button1->setIcon(glyphe("couleur"));
    Button1->setIconSize({taille_glyphe_couleur, taille_glyphe_couleur});
    SpeedButton12 = bouton(this, "SpeedButton12", {1014, 21, 20, 20}, QStringLiteral("?"));
    Image3 = place(new TImage(this), "Image3", 1047, 9, 90, 40);
    Image3->setPicture(QImage(rep_prog + QStringLiteral("/lintrace_logo.png")));
    ScrollBox1 = place(new QScrollArea(this), "ScrollBox1", 511, 65, 626, 479);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setWidgetResizable(false);
    Image1 = new ImageTrace(nullptr);
    Image1->setObjectName(QStringLiteral("Image1"));
    lecture_Label = place(new EtiquetteLecture(Image1), "lecture_Label", 0, 0, 10, 10);
    lecture_Label->hide();
    Image1->setGeometry(0, 0, 622, 475);
    Image1->Picture() = QImage(622, 475, QImage::Format_RGB32);
    Image1->Picture().fill(Qt::white);
    ScrollBox1->setWidget(Image1);
    Memo4 = place(new QPlainTextEdit(QStringLiteral("Memo4"), this), "Memo4", 0, 0, 10, 10);
    Memo4->setReadOnly(true);
    Memo4->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo4->hide();
    presse_papier_Memo5 = place(new QPlainTextEdit(QStringLiteral("Memo5\npresse-papier"), this),
                                "presse_papier_Memo5", 0, 0, 10, 10);
    presse_papier_Memo5->hide();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    attente_marges_ = new QTimer(this);
    attente_marges_->setInterval(50);

    using A = Ancrage;
    ancrage_->ajoute(Memo1, A::Etire_hauteur);
    for (QWidget* w : std::initializer_list<QWidget*>{Label15, Memo3, Label1, setup_SpeedButton6, SpeedButton3,
                                                       SpeedButton4, SpeedButton5, SpeedButton10, SpeedButton7})
        ancrage_->ajoute(w, A::Bas);
    ancrage_->ajoute(Button1, A::Droite);
    ancrage_->ajoute(SpeedButton12, A::Droite);
    ancrage_->ajoute(Image3, A::Droite);
    ancrage_->ajoute(ScrollBox1, A::Etire_largeur | A::Etire_hauteur);
}

void TForm1::cree_panneau_setup() {
    setup_Panel4 = place(new TPanel(this), "setup_Panel4", 576, 72, 241, 433);
    setup_Panel4->setLineWidth(2);
    setup_Panel4->setDeplacable(true);
    QWidget* p = setup_Panel4;
    Bevel1 = place(new QFrame(p), "Bevel1", 8, 192, 217, 57);
    Bevel2 = place(new QFrame(p), "Bevel2", 3, 24, 232, 41);
    Bevel3 = place(new QFrame(p), "Bevel3", 7, 326, 228, 65);
    for (QFrame* b : {Bevel1, Bevel2, Bevel3}) {
        b->setFrameShape(QFrame::Box);
        b->setFrameShadow(QFrame::Sunken);
    }
    Setupo = etiquette(p, "Setupo", {184, 3, 44, 20}, QStringLiteral("Setup"), 13, true);
    Setupo->setGeometry(150, 3, 80, 20);
    Setupo->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label10 = etiquette(p, "Label10", {9, 33, 78, 13}, QStringLiteral("refresh period [s]"));
    Label10->resize(94, 13);
    Edit5 = champ(p, "Edit5", {104, 29, 49, 21}, QStringLiteral("5"));
    Panel1 = place(new TPanel(p), "Panel1", 167, 29, 41, 20);
    langage_RadioGroup1 = new TRadioGroup(QStringLiteral("Language"),
                                          {QStringLiteral("French"), QStringLiteral("Italiano"),
                                           QStringLiteral("English"), QStringLiteral("Deutch")},
                                          p);
    place(langage_RadioGroup1, "langage_RadioGroup1", 10, 71, 89, 113);
    langage_RadioGroup1->blockSignals(true);
    langage_RadioGroup1->setItemIndex(2);
    langage_RadioGroup1->blockSignals(false);
    avecn1 = case_a_cocher(p, "avecn1", {106, 78, 94, 17}, QStringLiteral("with number"));
    avecn1->resize(130, 17);
    SpeedButton6 = bouton(p, "SpeedButton6", {106, 103, 113, 22}, QStringLiteral("Open langage file"));
    SpeedButton6->resize(128, 22);
    Label9 = etiquette(p, "Label9", {14, 209, 69, 13}, QStringLiteral("thickness lines"));
    Label9->resize(108, 13);
    Edit3 = champ(p, "Edit3", {126, 207, 48, 21}, QStringLiteral("2"));
    RadioGroup1 = new TRadioGroup(QString(), {QStringLiteral("Excel"), QStringLiteral("Openoffice")}, p);
    place(RadioGroup1, "RadioGroup1", 8, 257, 113, 57);
    RadioGroup1->blockSignals(true);
    RadioGroup1->setItemIndex(0);
    RadioGroup1->blockSignals(false);
    Label12 = etiquette(p, "Label12", {126, 282, 50, 13}, QStringLiteral("Decimal = "));
    Label12->resize(66, 13); // room for the caption in every language
    Edit4 = champ(p, "Edit4", {194, 274, 24, 32}, QStringLiteral(","));
    Edit4->setFont(police(20, true));
    Label16 = etiquette(p, "Label16", {132, 276, 27, 35}, QStringLiteral(", ."));
    Label16->setFont(police(31, false, QStringLiteral("Arial")));
    Label16->lower();
    Label13 = etiquette(p, "Label13", {24, 338, 56, 13}, QStringLiteral("1- name top"));
    Label13->resize(84, 13);
    Edit6 = champ(p, "Edit6", {109, 334, 73, 21}, QStringLiteral("ID1"));
    Panel5 = place(new TPanel(p), "Panel5", 185, 334, 24, 21);
    Label14 = etiquette(p, "Label14", {24, 366, 73, 13}, QStringLiteral("2- name bottom"));
    Label14->resize(84, 13);
    Edit8 = champ(p, "Edit8", {109, 361, 73, 21}, QStringLiteral("ID3"));
    Panel6 = place(new TPanel(p), "Panel6", 185, 362, 23, 19);
    SpeedButton2 = bouton(p, "SpeedButton2", {32, 400, 65, 22}, QStringLiteral("Close"));
    SpeedButton11 = bouton(p, "SpeedButton11", {136, 399, 65, 22}, QStringLiteral("Save"));
    setup_Panel4->hide();
    setup_Panel4->setPremierControle(Edit5);
}

void TForm1::cree_panneaux_aide() {
    const int32_t sarcelle = 0x808000; // teal in 0x00BBGGRR
    // Over the whole of the curve boxes and the record count, so that no piece of them shows
    // beside it; laid out, so that it can shrink into a half-screen window.
    Panel7 = place(new TPanel(this), "Panel7", 168, 48, 339, 489);
    Panel7->setColor(sarcelle);
    Memo5 = place(new QPlainTextEdit(Panel7), "Memo5", 8, 24, 323, 433);
    SpeedButton13 = bouton(Panel7, "SpeedButton13", {266, 462, 65, 22}, QStringLiteral("Close"));
    auto* disposition = new QVBoxLayout(Panel7);
    disposition->setContentsMargins(8, 24, 8, 5);
    disposition->setSpacing(5);
    disposition->addWidget(Memo5);
    disposition->addWidget(SpeedButton13, 0, Qt::AlignRight);
    SpeedButton13->setFixedSize(65, 22);
    Panel7->hide();
    Panel7->setPremierControle(Memo5);

    Panel2 = place(new TPanel(this), "Panel2", 558, 100, 377, 433);
    Panel2->setColor(sarcelle);
    Panel2->setDeplacable(true);
    // The texts come from the language files; room for two lines where a language needs them.
    StaticText1 = etiquette(Panel2, "StaticText1", {20, 6, 337, 34}, QString(), 13, true);
    StaticText2 = etiquette(Panel2, "StaticText2", {20, 40, 337, 28}, QString());
    StaticText3 = etiquette(Panel2, "StaticText3", {20, 256, 337, 18}, QString());
    StaticText4 = etiquette(Panel2, "StaticText4", {20, 278, 337, 106}, QString());
    for (QLabel* l : {StaticText1, StaticText2, StaticText4}) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    Image2 = place(new TImage(Panel2), "Image2", 20, 70, 337, 177);
    Image2->setStretch(true);
    Image2->setPicture(QImage(rep_prog + QStringLiteral("/lintrace_about.png")));
    Panel3 = place(new TPanel(Panel2), "Panel3", 88, 392, 177, 33);
    Panel3->setCaption(QStringLiteral("Close"));
    Panel3->setFont(police(13, true));
    Panel3->setBouton();
    Panel2->hide();
    Panel2->setPremierControle(Panel3);

    Panel4 = place(new TPanel(this), "Panel4", 460, 95, 373, 417);
    Panel4->setLineWidth(2);
    preview_Image4 = place(new TImage(Panel4), "preview_Image4", 48, 8, 281, 393);
    preview_Image4->setStretch(true);
    Panel4->hide();
}

void TForm1::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    ancrage_->applique(size());
}
