#include "_rez/widgets/barre_defilement.h"
#include "_rez/widgets/vue_lignes.h"
#include "util_rez/target/lignes_cible.h"
#include "cible_essai.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

namespace {

// The text box the view stands in for, set up as the window set it up.
struct Paire {
    QWidget fenetre;
    QStringList lignes;
    LignesCible cible;
    QPlainTextEdit* boite;
    VueLignes* vue;

    explicit Paire(const QStringList& l) : lignes(l), cible(l) {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(11);
        fenetre.setFont(f);
        fenetre.resize(760, 330);
        boite = new QPlainTextEdit(&fenetre);
        boite->setGeometry(0, 0, 369, 313);
        boite->setReadOnly(true);
        boite->setLineWrapMode(QPlainTextEdit::NoWrap);
        vue = new VueLignes(&cible, &fenetre);
        vue->setGeometry(380, 0, 369, 313);
        for (QAbstractScrollArea* a : {static_cast<QAbstractScrollArea*>(boite), static_cast<QAbstractScrollArea*>(vue)}) {
            a->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            a->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        }
        fenetre.show();
        boite->setPlainText(lignes.join(QLatin1Char('\n')));
        vue->lignes_changees(0);
        QCoreApplication::processEvents();
    }
    void change(const QStringList& l, qsizetype premiere) {
        lignes = l;
        cible = l;
        vue->lignes_changees(premiere);
    }
    void defile(int v, int h) {
        for (QAbstractScrollArea* a : {static_cast<QAbstractScrollArea*>(boite), static_cast<QAbstractScrollArea*>(vue)}) {
            a->verticalScrollBar()->setValue(v);
            a->horizontalScrollBar()->setValue(h);
        }
        QCoreApplication::processEvents();
    }
    // Both driven the same way, both copied with the keyboard; the selection must look the same.
    QPair<QString, QString> copie(const std::function<void(QWidget*)>& souris) {
        QPair<QString, QString> r;
        souris(boite->viewport());
        const QImage vue_boite = boite->grab().toImage();
        QTest::keyClick(boite, Qt::Key_C, Qt::ControlModifier);
        r.first = QGuiApplication::clipboard()->text();
        souris(vue->viewport());
        if (vue->grab().toImage() != vue_boite) r.second = QStringLiteral("(not the same look)");
        QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
        r.second += QGuiApplication::clipboard()->text();
        return r;
    }
};

QStringList enregistrements(int n) {
    return aide_test::CibleEssai{.titre = "Test bench 3 - run 2026-12-07 14:05:12",
                                 .operateur = "Operator: demo",
                                 .noms = "Runtime Flow_lpm T_in dP_kPa T_wall Power_kW T_out",
                                 .enregistrements = n,
                                 .largeur = 7,
                                 .decimales = 2}
        .lignes();
}

} // namespace

class TestVueLignes : public QObject {
    Q_OBJECT
  private slots:
    void meme_aspect_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("h");
        QTest::newRow("a few lines") << enregistrements(3) << 0 << 0;
        QTest::newRow("a file, at the top") << enregistrements(200) << 0 << 0;
        QTest::newRow("scrolled") << enregistrements(200) << 37 << 40;
        QTest::newRow("at the end") << enregistrements(200) << 10000 << 10000;
        QTest::newRow("empty") << QStringList() << 0 << 0;
        QTest::newRow("tabs and accents") << QStringList{"a\tb\tc", "Température °C", "", "x"} << 0 << 0;
        QTest::newRow("wide with tabs") << QStringList{"\"1\t2\t3\t4\t5\t6\t7\t8\"", "1.5"} << 0 << 10000;
    }
    // Frame, margins, line spacing, glyphs and both scroll bars: pixel for pixel the text
    // box's look.
    void meme_aspect() {
        QFETCH(QStringList, lignes);
        QFETCH(int, v);
        QFETCH(int, h);
        Paire p(lignes);
        p.defile(v, h);
        QCOMPARE(p.vue->verticalScrollBar()->maximum(), p.boite->verticalScrollBar()->maximum());
        QCOMPARE(p.vue->verticalScrollBar()->pageStep(), p.boite->verticalScrollBar()->pageStep());
        QCOMPARE(p.vue->horizontalScrollBar()->maximum(), p.boite->horizontalScrollBar()->maximum());
        QCOMPARE(p.vue->grab().toImage(), p.boite->grab().toImage());
        QCOMPARE(p.vue->toPlainText(), p.boite->toPlainText());
    }

    // Dragging, shift-clicking, double-clicking and selecting all copy what the text box copies.
    // Each press falls outside the selection before it, where the text box would drag the text.
    void selection_et_copie() {
        Paire p(enregistrements(60));
        p.defile(2, 0);
        const auto glisse = [](QPoint de, QPoint a) {
            return [de, a](QWidget* w) {
                QTest::mousePress(w, Qt::LeftButton, {}, de);
                QTest::mouseMove(w, a);
                QTest::mouseRelease(w, Qt::LeftButton, {}, a);
            };
        };
        for (const auto& [de, a] : {std::pair{QPoint(30, 6), QPoint(120, 58)}, std::pair{QPoint(200, 100), QPoint(2, 80)},
                                    std::pair{QPoint(1, 1), QPoint(300, 1)}}) {
            const auto [attendu, copie] = p.copie(glisse(de, a));
            QVERIFY(!attendu.isEmpty());
            QCOMPARE(copie, attendu);
        }
        for (const int x : {5, 20, 29, 31, 60, 75, 340}) {
            const auto [mot_attendu, mot] =
                p.copie([x](QWidget* w) { QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(x, 20)); });
            QCOMPARE(mot, mot_attendu);
        }
        const auto [plus_attendu, plus] = p.copie([](QWidget* w) {
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(50, 10));
            QTest::mouseClick(w, Qt::LeftButton, Qt::ShiftModifier, QPoint(90, 100));
        });
        QCOMPARE(plus, plus_attendu);
        p.vue->selectAll();
        p.vue->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), p.lignes.join(QLatin1Char('\n')));
    }

    // Appended lines keep the reader's place and selection; one reading the end stays there;
    // a whole new text starts again at the top.
    void lignes_ajoutees() {
        Paire p(enregistrements(100));
        QScrollBar* v = p.vue->verticalScrollBar();
        v->setValue(40);
        p.vue->selectAll();
        const qsizetype avant = p.lignes.size();
        p.change(p.lignes + enregistrements(30).mid(3), avant);
        QCOMPARE(v->value(), 40);
        QCOMPARE(v->maximum(), p.lignes.size() - v->pageStep());
        QCOMPARE(p.vue->texte_selectionne(), enregistrements(100).join(QLatin1Char('\n')));
        v->setValue(v->maximum());
        p.change(p.lignes + QStringList{QStringLiteral("\"one more\"")}, p.lignes.size());
        QCOMPARE(v->value(), v->maximum());
        p.change(enregistrements(5), 0);
        QCOMPARE(v->value(), 0);
        QVERIFY(p.vue->texte_selectionne().isEmpty());
    }

    // Following a growing file repaints the text's new lines and the moving handle, not the
    // horizontal bar, which nothing changed.
    void barre_immobile_non_repeinte() {
        Paire p(enregistrements(300));
        p.defile(10000, 0);
        struct Compte : QObject {
            int peintures = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                peintures += e->type() == QEvent::Paint;
                return false;
            }
        } compte;
        p.vue->horizontalScrollBar()->installEventFilter(&compte);
        for (int i = 0; i < 3; ++i) {
            p.change(p.lignes + QStringList{QStringLiteral("\"1.5   2.0\"")}, p.lignes.size());
            QCoreApplication::processEvents();
        }
        QCOMPARE(p.vue->verticalScrollBar()->value(), p.vue->verticalScrollBar()->maximum());
        QCOMPARE(compte.peintures, 0);
    }

    // A bar skips repainting only where its picture would not change: what the screen holds
    // after each change is what a bar painted afresh shows.
    void barre_a_jour_data() {
        QTest::addColumn<QList<QPoint>>("etapes"); // (maximum, value)
        QTest::newRow("a long run grows, read at its end") << QList<QPoint>{{3000000, 3000000}, {3000100, 3000100}};
        QTest::newRow("a short one") << QList<QPoint>{{10, 10}, {12, 12}, {14, 12}, {14, 0}};
        QTest::newRow("off the end and back") << QList<QPoint>{{1000000, 999999}, {1000000, 1000000}, {1000000, 999999}};
        QTest::newRow("nothing to scroll") << QList<QPoint>{{5, 2}, {0, 0}, {5, 2}};
    }
    void barre_a_jour() {
        QFETCH(QList<QPoint>, etapes);
        BarreDefilement barre(Qt::Vertical);
        barre.resize(17, 300);
        barre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&barre));
        for (const QPoint& e : etapes) {
            barre.setRange(0, e.x());
            barre.setValue(e.y());
            QCoreApplication::processEvents();
            const QImage ecran = barre.screen()->grabWindow(barre.winId()).toImage();
            QCOMPARE(ecran.convertToFormat(QImage::Format_RGB32), barre.grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    }
};

QTEST_MAIN(TestVueLignes)
#include "test_window_vue_lignes.moc"
