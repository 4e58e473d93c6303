#include "cible_essai.h"
#include "fenetre.h"

#include <QtTest>

namespace {

// Records at run times 0 to 9 on an x full scale of 10: record k is drawn at column 40 + 57.6 (k - 1).
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

} // namespace

class TestLecture : public QObject {
    Q_OBJECT
  private slots:
    // The pointer and the keys move the readout over the picture, which stays as it was drawn;
    // Esc takes back the reference first, then the readout.
    void gestes_data() {
        QTest::addColumn<QList<int>>("touches");
        QTest::addColumn<int>("lecture");
        QTest::addColumn<int>("reference");
        QTest::newRow("pointer") << QList<int>{} << 5 << 2;
        QTest::newRow("left twice, right") << QList<int>{Qt::Key_Left, Qt::Key_Left, Qt::Key_Right} << 4 << 2;
        QTest::newRow("home, end") << QList<int>{Qt::Key_Home, Qt::Key_End, Qt::Key_Right} << 10 << 2;
        QTest::newRow("esc") << QList<int>{Qt::Key_Escape} << 5 << 0;
        QTest::newRow("esc twice") << QList<int>{Qt::Key_Escape, Qt::Key_Escape} << 0 << 0;
    }
    void gestes() {
        QFETCH(QList<int>, touches);
        Session s;
        TForm1& f = fenetre_lue(s);
        const QImage avant = f.Image1->Picture();
        QTest::mouseClick(f.Image1, Qt::LeftButton, {}, sur_enreg(2));
        QMouseEvent e(QEvent::MouseMove, sur_enreg(5), f.Image1->mapToGlobal(sur_enreg(5)), Qt::NoButton, {},
                      {});
        QApplication::sendEvent(f.Image1, &e);
        for (int t : touches)
            QTest::keyClick(f.Image1, Qt::Key(t));
        QTEST(f.enreg_lecture, "lecture");
        QTEST(f.enreg_reference, "reference");
        QCOMPARE(f.lecture_Label->isVisibleTo(&f), f.enreg_lecture != 0);
        QCOMPARE(f.Image1->Picture(), avant);
    }
    // A notch is one press of the zoom button: same fields, same picture, same message.
    void molette_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("champ_x");
        QTest::newRow("away: y in, twice") << 240 << false << "10";
        QTest::newRow("towards: y out") << -120 << false << "10";
        QTest::newRow("shift: x in") << 120 << true << "10";
        QTest::newRow("wrong field") << -120 << true << "2,5";
    }
    void molette() {
        QFETCH(int, angle);
        QFETCH(bool, shift);
        QFETCH(QString, champ_x);
        Session s1, s2;
        TForm1& roue = fenetre_lue(s1);
        TForm1& bouton = fenetre_lue(s2);
        roue.Edit1->setText(champ_x);
        bouton.Edit1->setText(champ_x);
        QWheelEvent e({}, {}, {}, {0, angle}, Qt::NoButton, shift ? Qt::ShiftModifier : Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(roue.Image1, &e);
        QPushButton* b = shift ? (angle > 0 ? bouton.x_plus_SpeedButton3 : bouton.x_moins_SpeedButton3)
                               : (angle > 0 ? bouton.y_plus_SpeedButton3 : bouton.y_moins_SpeedButton3);
        for (int i = 0; i < std::abs(angle) / 120; ++i)
            b->click();
        QCOMPARE(roue.Edit1->text(), bouton.Edit1->text());
        QCOMPARE(roue.Edit2->text(), bouton.Edit2->text());
        QCOMPARE(roue.Image1->Picture(), bouton.Image1->Picture());
        QCOMPARE(s1.plateforme->messages, s2.plateforme->messages);
    }
};

QTEST_MAIN(TestLecture)
#include "test_window_lecture.moc"
