#include "cible_essai.h"
#include "fenetre.h"

#include "util_rez/plot/trace.h"

#include <QtTest>

namespace {

const QRgb bleu = qRgb(0, 0, 255);

QByteArray fichier(const QStringList& records) {
    return aide_test::CibleEssai{.titre = "h1", .operateur = "h2", .donnees = records}.octets();
}

// The plot picture at the size the tests reason about: 616 x 469.
TForm1& fenetre_tracee(Session& s, const QByteArray& contenu) {
    aide_test::ecrit_octets(s.chemin("run.txt"), contenu);
    TForm1& f = s.demarre({s.chemin("run.txt")});
    f.ScrollBox1->resize(626, 479);
    return f;
}

} // namespace

class TestTrace : public QObject {
    Q_OBJECT
private slots:
    void image_suit_la_boite() {
        Session s;
        TForm1& f = s.demarre();
        const QSize boite = f.ScrollBox1->size();
        const int memo = f.Memo1->height();
        const int bouton = f.SpeedButton4->y();
        const int logo = f.Image3->x();
        QCOMPARE(f.Image1->Picture().size(), boite - QSize(10, 10));
        f.resize(f.size() + QSize(100, 100));
        QCOMPARE(f.ScrollBox1->size(), boite + QSize(100, 100));
        QCOMPARE(f.Image1->Picture().size(), boite + QSize(90, 90));
        QCOMPARE(f.Image1->size(), boite + QSize(90, 90));
        QCOMPARE(f.Memo1->height(), memo + 100);
        QCOMPARE(f.Memo1->width(), 369);
        QCOMPARE(f.SpeedButton4->y(), bouton + 100);
        QCOMPARE(f.Image3->x(), logo + 100);
    }
    void axes_aux_coordonnees_attendues() {
        Session s;
        TForm1& f = fenetre_tracee(s, fichier({}));
        f.Edit1->setText(QStringLiteral("5"));
        f.Edit2->setText(QStringLiteral("100"));
        QTest::keyClick(f.Edit2, Qt::Key_Return);
        const QImage& im = f.Image1->Picture();
        QCOMPARE(im.size(), QSize(616, 469));
        QCOMPARE(im.pixel(40, 439), bleu);     // origin
        QCOMPARE(im.pixel(300, 439), bleu);    // x axis line
        QCOMPARE(im.pixel(40, 200), bleu);     // y axis line
        QCOMPARE(im.pixel(40, 440), bleu);     // first x tick, pointing down
        QCOMPARE(im.pixel(615, 440), bleu);    // the full-scale tick, on the picture's last column
        QCOMPARE(im.pixel(614, 440), qRgb(255, 255, 255));
        QCOMPARE(im.pixel(36, 439 - 429 / 2), bleu); // a y tick: eleven ticks for 100
        QCOMPARE(im.pixel(37, 439 - (5 * 429) / 10), bleu);
        QCOMPARE(im.pixel(300, 300), qRgb(255, 255, 255));
    }
    void points_des_courbes_cochees() {
        Session s;
        TForm1& f = fenetre_tracee(s, fichier({"1 10 20 30 40 50 65"}));
        f.autoscale_X_CheckBox7->setChecked(false);
        f.autoscale_Y_CheckBox8->setChecked(false);
        f.Edit1->setText(QStringLiteral("2"));
        f.Edit2->setText(QStringLiteral("100"));
        f.CheckBox3->setChecked(false);
        QTest::keyClick(f.Edit1, Qt::Key_Return);
        Echelles e{2, 100, 5, 10};
        const GeometrieTrace g = geometrie_ecran(616, 469);
        const QImage& im = f.Image1->Picture();
        const double y[] = {0, 10, 20, 30, 40, 50, 65, 65 - 40, 65 - 20};
        for (int k = 1; k <= 8; ++k) {
            const QPoint p = vers_pixel(g, e, 1, y[k]);
            if (k == 3 || k == 8)
                continue;
            QCOMPARE(QColor(im.pixel(p)), f.couleurs_courbes[k]);
        }
        QCOMPARE(QColor(im.pixel(vers_pixel(g, e, 1, 30))), QColor(Qt::white)); // curve 3 unchecked
        QCOMPARE(QColor(im.pixel(vers_pixel(g, e, 1, 45))), QColor(Qt::white)); // curve 8 unchecked
    }
    void epaisseur_non_entiere_arrete_apres_les_axes() {
        Session s;
        TForm1& f = fenetre_tracee(s, fichier({"1 10 20 30 40 50 60"}));
        f.Edit3->setText(QStringLiteral("2.5"));
        QTest::keyClick(f.Edit3, Qt::Key_Return);
        QCOMPARE(s.plateforme->messages.last(), QStringLiteral("'2.5' is not a valid integer value."));
        const QImage& im = f.Image1->Picture();
        QCOMPARE(im.pixel(40, 439), bleu);
        int colores = 0;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 41; x < im.width(); ++x) {
                const QRgb c = im.pixel(x, y);
                colores += c != qRgb(255, 255, 255) && c != bleu && qBlue(c) != 128;
            }
        QCOMPARE(colores, 0);
    }
    void echelle_illisible_laisse_l_image() {
        Session s;
        TForm1& f = fenetre_tracee(s, fichier({}));
        f.Edit1->setText(QStringLiteral("abc"));
        f.ScrollBox1->resize(600, 400);
        QCOMPARE(s.plateforme->messages.last(), QStringLiteral("'abc' is not a valid floating point value."));
        QCOMPARE(f.Image1->Picture().pixel(100, 100), qRgb(255, 0, 0)); // the red of the new picture stays
    }
    void zoom_et_autoscale() {
        Session s;
        TForm1& f = fenetre_tracee(s, fichier({"43.7 95 1 1 1 1 1"}));
        QCOMPARE(f.Edit1->text(), QStringLiteral("50"));
        QCOMPARE(f.Edit2->text(), QStringLiteral("105"));
        f.x_plus_SpeedButton3->click();
        QCOMPARE(f.Edit1->text(), QStringLiteral("40"));
        f.y_moins_SpeedButton3->click();
        QCOMPARE(f.Edit2->text(), QStringLiteral("200"));
        f.autoscale_Y_CheckBox8->setChecked(false); // unchecking still rescales the other axis
        QCOMPARE(f.Edit1->text(), QStringLiteral("50"));
        QCOMPARE(f.Edit2->text(), QStringLiteral("200"));
        f.Edit2->setText(QStringLiteral("2,5"));
        f.y_plus_SpeedButton3->click();
        QCOMPARE(s.plateforme->messages.last(), QStringLiteral("'2,5' is not a valid integer value."));
        QCOMPARE(f.Edit2->text(), QStringLiteral("2,5"));
    }
    void echelle_nulle_refusee_sans_division() {
        Session s;
        TForm1& f = fenetre_tracee(s, fichier({"1 1 1 1 1 1 1"}));
        f.Edit1->setText(QStringLiteral("0"));
        QTest::keyClick(f.Edit1, Qt::Key_Return);
        QVERIFY(s.plateforme->messages.isEmpty());
        QCOMPARE(f.Image1->Picture().pixel(40, 439), bleu);
    }
    void couleurs_de_session() {
        Session s;
        TForm1& f = s.demarre();
        s.plateforme->couleurs_choisies = {QColor(10, 20, 30)};
        f.Button1MouseDown(Qt::MiddleButton);
        QCOMPARE(s.plateforme->couleurs_choisies.size(), size_t(1));
        f.Panel6MouseDown(Qt::RightButton); // top session: Panel6 and the window change
        QCOMPARE(f.Color(), 10 + 20 * 256 + 30 * 65536);
        QCOMPARE(f.Panel6->Color(), f.Color());
        QVERIFY(f.Panel5->Color() != f.Color());
        f.Button1MouseDown(Qt::LeftButton); // cancelled: the swatch still takes the window colour
        QCOMPARE(f.Panel5->Color(), f.Color());
        f.Panel5MouseDown(Qt::LeftButton); // cancelled: nothing changes
        QCOMPARE(f.Panel5->Color(), f.Color());
    }
    void commentaire_modifie_par_une_touche() {
        Session s;
        TForm1& f = s.demarre();
        f.Memo3->setPlainText(QStringLiteral("x"));
        QVERIFY(!f.commentaire_modifie);
        QTest::keyClick(f.Memo3, Qt::Key_Left);
        QVERIFY(f.commentaire_modifie);
    }
};

QTEST_MAIN(TestTrace)
#include "test_window_trace.moc"
