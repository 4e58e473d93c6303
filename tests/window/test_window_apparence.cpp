#include "cible_essai.h"
#include "fenetre.h"

#include "_rez/widgets/apparence.h"

#include <QStyle>
#include <QStyleFactory>
#include <QtTest>
#include <cmath>

namespace {

const char* const classes_themees[] = {"QCheckBox", "QLabel", "QLineEdit", "QTextEdit", "QAbstractButton"};

// Contrast ratio of two colours as readability guidelines define it: 1 (none) to 21.
double contraste(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto canal = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor texte(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

QColor fond(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

// The pixels a glyph covers, and how many of them are of a clear colour.
std::pair<int, int> couverts_et_colores(const QImage& image) {
    std::pair<int, int> n;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n.first += c.alpha() > 128;
            n.second += c.alpha() > 128 && c.hsvSaturation() > 80;
        }
    return n;
}

} // namespace

class TestApparence : public QObject {
    Q_OBJECT
    const QPalette palette_depart = QApplication::palette();
    const QString style_depart = QApplication::style()->name();

  private slots:
    void cleanup() {
        QApplication::setStyle(QStyleFactory::create(style_depart));
        QApplication::setPalette(palette_depart);
        for (const char* classe : classes_themees)
            QApplication::setPalette(palette_depart, classe);
    }

    // The fixed colours were chosen against a light face: a dark desktop palette must not reach them.
    void couleurs_lisibles_sous_un_bureau_sombre() {
        QPalette sombre(QColor(53, 53, 53), QColor(40, 40, 40));
        sombre.setColor(QPalette::WindowText, Qt::white);
        sombre.setColor(QPalette::Text, Qt::white);
        sombre.setColor(QPalette::Base, QColor(25, 25, 25));
        QApplication::setPalette(sombre);
        for (const char* classe : classes_themees) // a desktop theme's own palettes, as some give
            QApplication::setPalette(sombre, classe);
        {
            Session s;
            TForm1& f = s.demarre_sur(QStringLiteral("run.txt"),
                                      aide_test::CibleEssai{.enregistrements = 3}.octets());
            QVERIFY(contraste(texte(f.CheckBox4), fond(&f)) < 2); // navy on the dark face
        }
        applique_apparence_claire();
        QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
        Session s;
        TForm1& f =
            s.demarre_sur(QStringLiteral("run.txt"), aide_test::CibleEssai{.enregistrements = 3}.octets());
        QVERIFY(fond(&f).lightness() > 200);
        for (int k = 1; k <= 8; ++k)
            QVERIFY2(contraste(texte(f.cases_courbes[k]), fond(&f)) >= 3,
                     qPrintable(f.cases_courbes[k]->text()));
        for (const QWidget* w :
             std::initializer_list<const QWidget*>{f.StaticText7, f.Label6, f.Label4, f.Label11})
            QVERIFY2(contraste(texte(w), fond(&f)) >= 7, qPrintable(w->objectName()));
        QVERIFY(contraste(texte(f.Label10), fond(f.setup_Panel4)) >= 7); // the grey setup panel
        QVERIFY(contraste(texte(f.Panel3), fond(f.Panel2)) >= 3);        // teal about panel
        using P = QPalette;
        for (const auto& [w, encre, dessous] :
             {std::tuple<const QWidget*, P::ColorRole, P::ColorRole>{f.Memo5, P::Text, P::Base},
              {&f, P::ToolTipText, P::ToolTipBase},
              {f.Edit1, P::Text, P::Base},
              {f.SpeedButton4, P::ButtonText, P::Button}})
            QVERIFY(contraste(w->palette().color(encre), w->palette().color(dessous)) >= 7);
    }

    // Every glyph of the form's own, and the style's grey of it for a disabled button.
    void glyphes_data() {
        QTest::addColumn<QString>("bouton");
        for (const char* nom : {"SpeedButton5", "SpeedButton10", "SpeedButton7", "setup_SpeedButton6",
                                "Button1", "SpeedButton8", "SpeedButton9"})
            QTest::newRow(nom) << nom;
    }
    void glyphes() {
        QFETCH(QString, bouton);
        Session s;
        TForm1& f = s.demarre();
        const auto* b = f.findChild<QPushButton*>(bouton);
        const QIcon icone = b->icon();
        const QImage normal = icone.pixmap(b->iconSize(), 1.0, QIcon::Normal).toImage();
        const QImage grise = icone.pixmap(b->iconSize(), 1.0, QIcon::Disabled).toImage();
        const auto [couverts, colores] = couverts_et_colores(normal);
        QVERIFY(couverts > normal.width() * normal.height() / 4);
        QVERIFY(colores > 0);
        QCOMPARE(couverts_et_colores(grise), std::make_pair(couverts, 0));
        QCOMPARE(icone.pixmap(b->iconSize(), 2.0).size(), b->iconSize() * 2); // drawn, not stretched, at 2x
    }

    // The count keeps to the room left of the curve boxes, clear of its caption and the sound box.
    void nombre_d_enregistrements_dans_sa_place_data() {
        QTest::addColumn<int>("enregistrements");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("few") << 3 << "3";
        QTest::newRow("past 5000") << 5120 << "5120";
    }
    void nombre_d_enregistrements_dans_sa_place() {
        QFETCH(int, enregistrements);
        QFETCH(QString, attendu);
        Session s;
        TForm1& f = s.demarre_sur(QStringLiteral("run.txt"),
                                  aide_test::CibleEssai{.enregistrements = enregistrements}.octets());
        const QLabel* l = f.Label6;
        QCOMPARE(l->text(), attendu);
        QVERIFY(l->geometry().right() < f.CheckBox1->x());
        QVERIFY(!l->geometry().intersects(f.StaticText7->geometry()));
        QVERIFY(!l->geometry().intersects(f.sound_CheckBox8->geometry()));
        QVERIFY(l->geometry().bottom() < f.Memo1->y());
        const QRect trace = l->fontMetrics().boundingRect(l->contentsRect(),
                                                          int(l->alignment()) | Qt::TextWordWrap, l->text());
        QVERIFY(l->contentsRect().contains(trace));
        QVERIFY(l->font().pixelSize() >= 16);
    }

    // The whole name stays the text; how large it is drawn is the window-free fit's business.
    void nom_de_session_dans_sa_place_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("coupe");
        QTest::newRow("two words") << "Bench North" << false;
        QTest::newRow("too long") << "Pump bench 12 - night run of the cold loop" << true;
    }
    void nom_de_session_dans_sa_place() {
        QFETCH(QString, nom);
        QFETCH(bool, coupe);
        Session s;
        aide_test::ecrit_octets(s.chemin(QStringLiteral("Lintrac_setup.txt")),
                                "5\r\n2\r\n2\r\n,\r\nID1\r\n" + nom.toUtf8() +
                                    "\r\nFALSE\r\n0\r\n0\r\n0\r\n");
        TForm1& f = s.demarre({QStringLiteral("#2")});
        const QRect place = f.Label11->geometry();
        QCOMPARE(f.Label11->text(), nom);
        QCOMPARE(f.Label11->toolTip(), coupe ? nom : QString());
        QVERIFY(place.left() > f.CheckBox1->geometry().right() && place.right() < f.SpeedButton8->x());
        QVERIFY(place.bottom() < f.ScrollBox1->y());
    }
};

QTEST_MAIN(TestApparence)
#include "test_window_apparence.moc"
