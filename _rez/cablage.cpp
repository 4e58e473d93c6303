#include "_rez/tform1.h"

#include <QKeyEvent>
#include <new>

void TForm1::cablage() {
    relie(SpeedButton1, &QPushButton::clicked, &TForm1::SpeedButton1Click);
    relie(Timer1, &QTimer::timeout, &TForm1::Timer1Timer);
    relie(sound_CheckBox8, &QCheckBox::toggled, &TForm1::sound_CheckBox8Click);
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8})
        relie(c, &QCheckBox::toggled, &TForm1::CheckBox1Click);
    relie(Edit1, &QLineEdit::returnPressed, [this] { Edit1KeyPress(QChar(13)); });
    relie(Edit2, &QLineEdit::returnPressed, [this] { Edit2KeyPress(QChar(13)); });
    relie(Edit3, &QLineEdit::returnPressed, [this] { Edit3KeyPress(QChar(13)); });
    relie(autoscale_X_CheckBox7, &QCheckBox::toggled, &TForm1::autoscale_X_CheckBox7Click);
    relie(autoscale_Y_CheckBox8, &QCheckBox::toggled, &TForm1::autoscale_Y_CheckBox8Click);
    relie(x_plus_SpeedButton3, &QPushButton::clicked, &TForm1::x_plus_SpeedButton3Click);
    relie(x_moins_SpeedButton3, &QPushButton::clicked, &TForm1::x_moins_SpeedButton3Click);
    relie(y_plus_SpeedButton3, &QPushButton::clicked, &TForm1::y_plus_SpeedButton3Click);
    relie(y_moins_SpeedButton3, &QPushButton::clicked, &TForm1::y_moins_SpeedButton3Click);
    relie(fenetre_CheckBox9, &QCheckBox::toggled, &TForm1::fenetre_CheckBox9Click);
    relie(Edit9, &QLineEdit::returnPressed, [this] { Edit9KeyPress(QChar(13)); });
    relie(Image1, &ImageTrace::MouseMove, &TForm1::Image1MouseMove);
    relie(Image1, &ImageTrace::MouseLeave, &TForm1::Image1MouseLeave);
    relie(Image1, &ImageTrace::MouseDown, &TForm1::Image1MouseDown);
    relie(Image1, &ImageTrace::MouseWheel, &TForm1::Image1MouseWheel);
    relie(Image1, &ImageTrace::KeyDown, &TForm1::Image1KeyDown);
    ScrollBox1->installEventFilter(this);
    relie(Memo3, &QPlainTextEdit::textChanged, &TForm1::Memo3Change);
    Memo3->installEventFilter(this);
    Button1->installEventFilter(this);
    relie(Panel5, &TPanel::MouseDown, &TForm1::Panel5MouseDown);
    relie(Panel6, &TPanel::MouseDown, &TForm1::Panel6MouseDown);
    relie(SpeedButton4, &QPushButton::clicked, &TForm1::SpeedButton4Click);
    relie(SpeedButton10, &QPushButton::clicked, &TForm1::SpeedButton10Click);
    relie(SpeedButton7, &QPushButton::clicked, &TForm1::SpeedButton7Click);
    relie(setup_SpeedButton6, &QPushButton::clicked, &TForm1::setup_SpeedButton6Click);
    relie(SpeedButton2, &QPushButton::clicked, &TForm1::SpeedButton2Click);
    relie(SpeedButton11, &QPushButton::clicked, &TForm1::SpeedButton11Click);
    relie(RadioGroup1, &TRadioGroup::Click, &TForm1::RadioGroup1Click);
    relie(langage_RadioGroup1, &TRadioGroup::Click, &TForm1::langage_RadioGroup1Click);
    relie(avecn1, &QCheckBox::toggled, &TForm1::avecn1Click);
    relie(SpeedButton6, &QPushButton::clicked, &TForm1::SpeedButton6Click);
    relie(SpeedButton5, &QPushButton::clicked, &TForm1::SpeedButton5Click);
    relie(SpeedButton12, &QPushButton::clicked, &TForm1::SpeedButton12Click);
    relie(SpeedButton13, &QPushButton::clicked, &TForm1::SpeedButton13Click);
    relie(SpeedButton3, &QPushButton::clicked, &TForm1::SpeedButton3Click);
    relie(Panel3, &TPanel::Click, &TForm1::Panel3Click);
    relie(SpeedButton8, &QPushButton::clicked, &TForm1::SpeedButton8Click);
    relie(SpeedButton9, &QPushButton::clicked, &TForm1::SpeedButton9Click);
    relie(attente_marges_, &QTimer::timeout, &TForm1::ajuste_cadre);
    cree_raccourcis();
}

bool TForm1::eventFilter(QObject* objet, QEvent* e) {
    // On a screen of another pixel density the picture is made again at that density.
    if (objet == ScrollBox1 && (e->type() == QEvent::Resize ||
                                (e->type() == QEvent::ScreenChangeInternal && Image1->densite_perimee())))
        garde([this] { ScrollBox1Resize(); });
    else if (objet == Memo3 && e->type() == QEvent::KeyPress) {
        garde([this] { Memo3KeyDown(); });
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
    } catch (const std::bad_alloc&) {
        // The last resort when a size check missed something: what was asked for is gone by now,
        // and the window, the comment being typed above all, stays.
        montre_erreur(texte_message(106)); // out of memory: operation abandoned
    }
}

void TForm1::montre_erreur(const QString& texte) {
    const PauseRafraichissement pause(*this);
    plateforme_->message(this, Plateforme::Genre::Erreur, texte, QMessageBox::Ok);
}
