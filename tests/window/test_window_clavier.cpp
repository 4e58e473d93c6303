#include "fenetre.h"

#include <QtTest>

namespace {

TForm1& demarre_active(Session& s) {
    TForm1& f = s.demarre({}, [](PlateformeTest& p) { p.imprimantes_ = QStringList{}; });
    f.activateWindow();
    if (!QTest::qWaitForWindowActive(&f)) qFatal("the window did not become active");
    return f;
}

} // namespace

class TestClavier : public QObject {
    Q_OBJECT
  private slots:
    // Each key runs what its button runs, wherever the focus is, the comment box included.
    void raccourcis_data() {
        QTest::addColumn<QKeySequence>("touche");
        QTest::addColumn<bool>("dans_commentaire");
        QTest::addColumn<QString>("effet");
        for (const bool dans : {false, true}) {
            const char* ou = dans ? " in the comment box" : "";
            QTest::addRow("Ctrl+O%s", ou) << QKeySequence(Qt::CTRL | Qt::Key_O) << dans << "open dialog";
            QTest::addRow("Ctrl+S%s", ou) << QKeySequence(Qt::CTRL | Qt::Key_S) << dans << "save dialog";
            QTest::addRow("Ctrl+P%s", ou) << QKeySequence(Qt::CTRL | Qt::Key_P) << dans << "no printer";
            QTest::addRow("Ctrl+E%s", ou) << QKeySequence(Qt::CTRL | Qt::Key_E) << dans << "export question";
            QTest::addRow("F1%s", ou) << QKeySequence(Qt::Key_F1) << dans << "help";
        }
    }
    void raccourcis() {
        QFETCH(QKeySequence, touche);
        QFETCH(bool, dans_commentaire);
        QFETCH(QString, effet);
        Session s;
        TForm1& f = demarre_active(s);
        f.Memo3->setPlainText(QStringLiteral("note"));
        if (dans_commentaire) f.Memo3->setFocus();
        QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : &f, touche);
        const PlateformeTest& p = *s.plateforme;
        const QMap<QString, bool> effets{
            {"open dialog", p.ouvertures.size() == 1},
            {"save dialog", p.enregistrements.size() == 1},
            {"no printer", p.messages == QStringList{f.texte_message(75)}},
            {"export question", p.messages.value(0) == f.texte_message(31)},
            {"help", !f.Panel7->isHidden()},
        };
        for (auto it = effets.cbegin(); it != effets.cend(); ++it)
            QVERIFY2(it.value() == (it.key() == effet), qPrintable(it.key()));
        QCOMPARE(f.Memo3->toPlainText(), QStringLiteral("note")); // the key typed nothing
    }

    // Esc closes the panel shown last, then the one below it.
    void echap_ferme_le_panneau_du_dessus() {
        Session s;
        TForm1& f = demarre_active(s);
        f.SpeedButton3->click();
        f.setup_SpeedButton6->click();
        QTest::keyClick(&f, Qt::Key_F1);
        QVERIFY(!f.Panel2->isHidden() && !f.setup_Panel4->isHidden() && !f.Panel7->isHidden());
        f.Memo3->setFocus();
        QTest::keyClick(f.Memo3, Qt::Key_Escape);
        QVERIFY(f.Panel7->isHidden());
        QVERIFY(!f.setup_Panel4->isHidden());
        f.SpeedButton3->click();
        f.SpeedButton3->click(); // shown again, now on top
        QTest::keyClick(f.Memo3, Qt::Key_Escape);
        QVERIFY(f.Panel2->isHidden());
        QVERIFY(!f.setup_Panel4->isHidden());
        QTest::keyClick(f.Memo3, Qt::Key_Escape);
        QVERIFY(f.setup_Panel4->isHidden());
        QTest::keyClick(f.Memo3, Qt::Key_Escape); // nothing left open: nothing happens
        QVERIFY(s.plateforme->messages.isEmpty());
    }

    // Tab reaches every button and Space presses it; a click leaves the focus where it was.
    void boutons_au_clavier() {
        Session s;
        TForm1& f = demarre_active(s);
        for (const QPushButton* b : f.findChildren<QPushButton*>())
            QVERIFY2(b->focusPolicy() == Qt::TabFocus, qPrintable(b->objectName()));
        f.Memo3->setFocus();
        QTest::mouseClick(f.x_plus_SpeedButton3, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.Memo3);
        f.setup_SpeedButton6->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.setup_SpeedButton6, Qt::Key_Space);
        QVERIFY(!f.setup_Panel4->isHidden());
    }

    // A panel takes the focus on its first control and gives it back, by its Close or by Esc.
    void panneaux_et_focus() {
        Session s;
        TForm1& f = demarre_active(s);
        const std::tuple<QPushButton*, TPanel*, QWidget*, QWidget*, Qt::Key> panneaux[] = {
            {f.setup_SpeedButton6, f.setup_Panel4, f.Edit5, f.SpeedButton2, Qt::Key_Space},
            {f.SpeedButton12, f.Panel7, f.Memo5, f.Memo5, Qt::Key_Escape},
            {f.SpeedButton3, f.Panel2, f.Panel3, f.Panel3, Qt::Key_Space}};
        for (const auto& [ouvre, p, premier, fermer, touche] : panneaux) {
            f.Memo3->setFocus();
            QTest::mouseClick(ouvre, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), premier);
            fermer->setFocus(Qt::TabFocusReason);
            QTest::keyClick(fermer, touche);
            QVERIFY(p->isHidden());
            QCOMPARE(QApplication::focusWidget(), f.Memo3);
        }
    }

    // Ctrl+Q closes through the question about an edited comment.
    void ctrl_q_ferme() {
        Session s;
        TForm1& f = demarre_active(s);
        f.Memo3->setFocus();
        QTest::keyClicks(f.Memo3, QStringLiteral("note"));
        s.plateforme->reponses.push_back(QMessageBox::No);
        QTest::keyClick(f.Memo3, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(s.plateforme->messages.size(), 1); // comment not saved: save it?
        QVERIFY(!f.isVisible());
    }

    // Typing in the comment box and Enter in the scale fields do what they did.
    void saisie_inchangee() {
        Session s;
        TForm1& f = demarre_active(s);
        f.Memo3->setFocus();
        QTest::keyClicks(f.Memo3, QStringLiteral("ab"));
        QTest::keyClick(f.Memo3, Qt::Key_Return);
        QCOMPARE(f.Memo3->toPlainText(), QStringLiteral("ab\n"));
        QVERIFY(f.commentaire_modifie);
        QTest::keyClick(f.Memo3, Qt::Key_Tab); // leaves the box like any other control
        QVERIFY(QApplication::focusWidget() != f.Memo3);
        QCOMPARE(f.Memo3->toPlainText(), QStringLiteral("ab\n"));
        f.Edit2->setFocus();
        f.Edit2->setText(QStringLiteral("40"));
        f.Image1->Picture().fill(Qt::black);
        QTest::keyClick(f.Edit2, Qt::Key_Return);
        QCOMPARE(f.Image1->Picture().pixelColor(1, 1), QColor(Qt::white)); // redrawn
        QCOMPARE(f.echelles.etendue_y, 40.0L);
        QVERIFY(s.plateforme->messages.isEmpty());
    }
};

QTEST_MAIN(TestClavier)
#include "test_window_clavier.moc"
