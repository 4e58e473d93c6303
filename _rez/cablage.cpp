#include "_rez/tform1.h"

#include <QKeyEvent>

void TForm1::cablage() {
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { garde([this] { SpeedButton1Click(); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { garde([this] { Timer1Timer(); }); });
    connect(sound_CheckBox8, &QCheckBox::toggled, this, [this] { garde([this] { sound_CheckBox8Click(); }); });
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8})
        connect(c, &QCheckBox::toggled, this, [this] { garde([this] { CheckBox1Click(); }); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { garde([this] { Edit1KeyPress(QChar(13)); }); });
    connect(Edit2, &QLineEdit::returnPressed, this, [this] { garde([this] { Edit2KeyPress(QChar(13)); }); });
    connect(Edit3, &QLineEdit::returnPressed, this, [this] { garde([this] { Edit3KeyPress(QChar(13)); }); });
    connect(autoscale_X_CheckBox7, &QCheckBox::toggled, this,
            [this] { garde([this] { autoscale_X_CheckBox7Click(); }); });
    connect(autoscale_Y_CheckBox8, &QCheckBox::toggled, this,
            [this] { garde([this] { autoscale_Y_CheckBox8Click(); }); });
    connect(x_plus_SpeedButton3, &QPushButton::clicked, this, [this] { garde([this] { x_plus_SpeedButton3Click(); }); });
    connect(x_moins_SpeedButton3, &QPushButton::clicked, this,
            [this] { garde([this] { x_moins_SpeedButton3Click(); }); });
    connect(y_plus_SpeedButton3, &QPushButton::clicked, this, [this] { garde([this] { y_plus_SpeedButton3Click(); }); });
    connect(y_moins_SpeedButton3, &QPushButton::clicked, this,
            [this] { garde([this] { y_moins_SpeedButton3Click(); }); });
    ScrollBox1->installEventFilter(this);
    connect(Memo3, &QPlainTextEdit::textChanged, this, [this] { Memo3Change(); });
    Memo3->installEventFilter(this);
    Button1->installEventFilter(this);
    connect(Panel5, &TPanel::MouseDown, this, [this](Qt::MouseButton b) { garde([this, b] { Panel5MouseDown(b); }); });
    connect(Panel6, &TPanel::MouseDown, this, [this](Qt::MouseButton b) { garde([this, b] { Panel6MouseDown(b); }); });
    connect(SpeedButton4, &QPushButton::clicked, this, [this] { garde([this] { SpeedButton4Click(); }); });
    connect(SpeedButton10, &QPushButton::clicked, this, [this] { garde([this] { SpeedButton10Click(); }); });
    connect(SpeedButton7, &QPushButton::clicked, this, [this] { garde([this] { SpeedButton7Click(); }); });
    connect(setup_SpeedButton6, &QPushButton::clicked, this, [this] { setup_SpeedButton6Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton11, &QPushButton::clicked, this, [this] { garde([this] { SpeedButton11Click(); }); });
    connect(RadioGroup1, &TRadioGroup::Click, this, [this] { RadioGroup1Click(); });
    connect(langage_RadioGroup1, &TRadioGroup::Click, this, [this] { garde([this] { langage_RadioGroup1Click(); }); });
    connect(avecn1, &QCheckBox::toggled, this, [this] { garde([this] { avecn1Click(); }); });
    connect(SpeedButton6, &QPushButton::clicked, this, [this] { SpeedButton6Click(); });
    connect(SpeedButton5, &QPushButton::clicked, this, [this] { garde([this] { SpeedButton5Click(); }); });
    connect(SpeedButton12, &QPushButton::clicked, this, [this] { garde([this] { SpeedButton12Click(); }); });
    connect(SpeedButton13, &QPushButton::clicked, this, [this] { SpeedButton13Click(); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(Panel3, &TPanel::Click, this, [this] { Panel3Click(); });
    connect(SpeedButton8, &QPushButton::clicked, this, [this] { SpeedButton8Click(); });
    connect(SpeedButton9, &QPushButton::clicked, this, [this] { SpeedButton9Click(); });
    cree_raccourcis();
}

bool TForm1::eventFilter(QObject* objet, QEvent* e) {
    // On a screen of another pixel density the picture is made again at that density.
    if (objet == ScrollBox1 && (e->type() == QEvent::Resize ||
                                (e->type() == QEvent::ScreenChangeInternal && Image1->densite_perimee())))
        garde([this] { ScrollBox1Resize(); });
    else if (objet == Memo3 && e->type() == QEvent::KeyPress) {
        Memo3KeyDown();
        // Tab types a tab in the comment; Ctrl+Tab, which typed nothing, is the way out.
        const auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && (k->modifiers() & Qt::ControlModifier))
            return focusNextPrevChild(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
    }
    else if (objet == Button1 && e->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton b = static_cast<QMouseEvent*>(e)->button();
        garde([this, b] { Button1MouseDown(b); });
    }
    return QWidget::eventFilter(objet, e);
}

void TForm1::garde(const std::function<void()>& corps) {
    try {
        corps();
    } catch (const ErreurRez& e) {
        montre_erreur(texte_erreur(e));
    }
}

void TForm1::montre_erreur(const QString& texte) {
    const PauseRafraichissement pause(*this);
    plateforme_->message(this, Plateforme::Genre::Erreur, texte, QMessageBox::Ok);
}
