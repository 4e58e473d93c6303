#include "cible_essai.h"
#include "fenetre.h"

#include <QtTest>

namespace {

// Records at run times 0, 1, ..., 9; the x full scale 10 puts record k at column 40 + 57.6 * (k - 1).
TForm1& fenetre_lue(Session& s) {
    TForm1& f = s.demarre_sur("run.txt", aide_test::CibleEssai{.enregistrements = 10, .pas = 1}.octets());
    f.ScrollBox1->resize(626, 479);
    f.autoscale_X_CheckBox7->setChecked(false);
    f.Edit1->setText(QStringLiteral("10"));
    QTest::keyClick(f.Edit1, Qt::Key_Return);
    return f;
}

QPoint sur_enreg(int k) {
    return {40 + qRound(57.6 * (k - 1)) + 3, 200};
}

void survole(TForm1& f, QPoint p) {
    QMouseEvent e(QEvent::MouseMove, p, f.Image1->mapToGlobal(p), Qt::NoButton, {}, {});
    QApplication::sendEvent(f.Image1, &e);
}

} // namespace

class TestLecture : public QObject {
    Q_OBJECT
  private slots:
    // Hover shows the record under the pointer over the picture, which stays as it was drawn.
    void survol_et_reference() {
        Session s;
        TForm1& f = fenetre_lue(s);
        for (int k = 1; k <= 6; ++k)
            f.cases_courbes[k]->setChecked(k == 1);
        const QImage avant = f.Image1->Picture();
        survole(f, sur_enreg(3));
        QVERIFY(f.lecture_Label->isVisibleTo(&f));
        QCOMPARE(f.lecture_Label->objectName(), QStringLiteral("lecture_Label"));
        QCOMPARE(f.lecture_Label->text(), "time: 00002.00\nA: 12\nF - D: 2"); // 7 checked from the start
        QTest::mouseClick(f.Image1, Qt::LeftButton, {}, sur_enreg(2));
        survole(f, sur_enreg(5));
        QCOMPARE(f.lecture_Label->text().split('\n').value(1), QStringLiteral("A: 14   \u0394 3"));
        QCOMPARE(f.Image1->Picture(), avant);
        QTest::mouseClick(f.Image1, Qt::RightButton, {}, sur_enreg(5));
        QCOMPARE(f.enreg_reference, 0);
    }
    // The keys move the readout record by record; Esc takes back the reference, then the readout.
    void touches_data() {
        QTest::addColumn<QList<int>>("touches");
        QTest::addColumn<int>("lecture");
        QTest::addColumn<int>("reference");
        QTest::newRow("right from none: the last") << QList<int>{Qt::Key_Right} << 10 << 4;
        QTest::newRow("left, home, right") << QList<int>{Qt::Key_Left, Qt::Key_Home, Qt::Key_Right} << 2 << 4;
        QTest::newRow("end, right stays") << QList<int>{Qt::Key_End, Qt::Key_Right} << 10 << 4;
        QTest::newRow("esc: the reference first") << QList<int>{Qt::Key_Home, Qt::Key_Escape} << 1 << 0;
        QTest::newRow("esc twice: the readout")
            << QList<int>{Qt::Key_End, Qt::Key_Escape, Qt::Key_Escape} << 0 << 0;
    }
    void touches() {
        QFETCH(QList<int>, touches);
        Session s;
        TForm1& f = fenetre_lue(s);
        QTest::mouseClick(f.Image1, Qt::LeftButton, {}, sur_enreg(4));
        f.enreg_lecture = 0;
        for (int t : touches)
            QTest::keyClick(f.Image1, Qt::Key(t));
        QTEST(f.enreg_lecture, "lecture");
        QTEST(f.enreg_reference, "reference");
        QCOMPARE(f.lecture_Label->isVisibleTo(&f), f.enreg_lecture != 0);
    }
    // A notch is one press of the zoom button: same fields, same picture, same message.
    void molette_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("champ_x");
        QTest::newRow("away: y in") << 240 << false << "10";
        QTest::newRow("towards: y out") << -120 << false << "10";
        QTest::newRow("shift: x in") << 120 << true << "10";
        QTest::newRow("shift towards: x out") << -120 << true << "10";
        QTest::newRow("half a notch twice: x in") << 60 << true << "10";
        QTest::newRow("wrong field") << 120 << true << "2,5";
    }
    void molette() {
        QFETCH(int, angle);
        QFETCH(bool, shift);
        QFETCH(QString, champ_x);
        Session s1, s2;
        TForm1& roue = fenetre_lue(s1);
        TForm1& bouton = fenetre_lue(s2);
        for (TForm1* f : {&roue, &bouton})
            f->Edit1->setText(champ_x);
        const int crans = angle * (angle % 120 ? 2 : 1) / 120;
        for (int i = 0; i < (angle % 120 ? 2 : 1); ++i) {
            QWheelEvent e(sur_enreg(3), roue.Image1->mapToGlobal(sur_enreg(3)), {}, {0, angle}, Qt::NoButton,
                          shift ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(roue.Image1, &e);
        }
        QPushButton* b = shift ? (crans > 0 ? bouton.x_plus_SpeedButton3 : bouton.x_moins_SpeedButton3)
                               : (crans > 0 ? bouton.y_plus_SpeedButton3 : bouton.y_moins_SpeedButton3);
        for (int i = 0; i < std::abs(crans); ++i)
            b->click();
        QCOMPARE(roue.Edit1->text(), bouton.Edit1->text());
        QCOMPARE(roue.Edit2->text(), bouton.Edit2->text());
        QCOMPARE(roue.Image1->Picture(), bouton.Image1->Picture());
        QCOMPARE(s1.plateforme->messages, s2.plateforme->messages);
        QVERIFY(roue.autoscale_Y_CheckBox8->isChecked());
    }
};

QTEST_MAIN(TestLecture)
#include "test_window_lecture.moc"
