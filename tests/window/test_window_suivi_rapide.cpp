#include "cible_essai.h"
#include "fenetre.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cstring>

namespace {

// A writer's run, its records drawn from `gen`; `variante` tells one run's header from another's.
aide_test::CibleEssai ecrivain(QRandomGenerator& gen, int variante) {
    return {.titre = QStringLiteral("Bench %1 - Température").arg(variante),
            .largeur_temps = 7,
            .decimales_temps = 1,
            .valeur = [&gen](int k, int) { return gen.bounded(150.0) + k * 0.05; },
            .decimales = 2};
}

// A window that always loads the whole file: each load comes from another folder, under the
// same file name, so nothing of the load before can be built on.
struct Reference {
    Session session;
    QTemporaryDir autre;
    TForm1* f = nullptr;
    int n = 0;
    Reference() { f = &session.demarre(); }
    void charge(const QByteArray& contenu) {
        const QString chemin = (++n % 2 ? session.dossier.path() : autre.path()) + QStringLiteral("/run.txt");
        aide_test::ecrit_octets(chemin, contenu);
        f->chemin_cible = chemin;
        f->charge_fichier_dans_memo_et_affiche(chemin);
    }
};

void compare(TForm1& a, TForm1& b) {
    QCOMPARE(a.lignes_chargees().mid(0), b.lignes_chargees().mid(0));
    QCOMPARE(a.lignes_chargees().octets(), b.lignes_chargees().octets());
    QCOMPARE(a.codage_cible(), b.codage_cible());
    QCOMPARE(a.Memo1->toPlainText(), a.lignes_chargees().mid(0).join(QLatin1Char('\n')));
    QCOMPARE(a.nb_enreg, b.nb_enreg);
    QVERIFY(a.max_x == b.max_x && a.max_y == b.max_y);
    QCOMPARE(a.arrete, b.arrete);
    QCOMPARE(a.tableau->taille(), a.nb_enreg);
    for (int c = 1; c <= nb_colonnes_lues; ++c)
        QVERIFY(std::memcmp(a.tableau->colonne(c) + 1, b.tableau->colonne(c) + 1, sizeof(double) * a.nb_enreg) == 0);
    for (QLabel* TForm1::*l : {&TForm1::Label3, &TForm1::Label2, &TForm1::Label15, &TForm1::Label6}) {
        QCOMPARE((a.*l)->text(), (b.*l)->text());
        QCOMPARE((a.*l)->toolTip(), (b.*l)->toolTip());
    }
    for (int k = 1; k <= 8; ++k)
        QCOMPARE(a.cases_courbes[k]->text(), b.cases_courbes[k]->text());
    QCOMPARE(a.Memo3->toPlainText(), b.Memo3->toPlainText());
    QCOMPARE(a.Edit1->text(), b.Edit1->text());
    QCOMPARE(a.Edit2->text(), b.Edit2->text());
    QCOMPARE(a.Image1->Picture(), b.Image1->Picture());
}

} // namespace

class TestSuiviRapide : public QObject {
    Q_OBJECT
  private slots:
    // A writer's run followed tick by tick, with the file cut, rewritten, edited and given a
    // comment on the way: the window shows after every tick what a whole load shows.
    void suivi_egal_chargement_complet() {
        Session s;
        const QString cible = s.chemin("run.txt");
        QRandomGenerator gen(17);
        const aide_test::CibleEssai course = ecrivain(gen, 0);
        QByteArray contenu = course.octets();
        aide_test::ecrit_octets(cible, contenu);
        TForm1& f = s.demarre({cible});
        Reference ref;
        int k = 0;
        for (int etape = 0; etape < 160; ++etape) {
            const int choix = gen.bounded(100);
            if (choix < 3) {
                contenu.truncate(gen.bounded(int(contenu.size())));
            } else if (choix < 5) {
                contenu = ecrivain(gen, etape).octets() + course.ajout(0);
                k = 1;
            } else if (choix < 6) {
                contenu[int(contenu.size()) / 2] = '3';
            } else if (choix < 7) {
                contenu += "\r\n    Comment\r\nfine run\r\n";
            } else {
                QByteArray ajout;
                for (int j = gen.bounded(1, 4); j > 0; --j)
                    ajout += course.ajout(k++);
                // The writer caught in the middle of a record now and then.
                contenu += gen.bounded(4) == 0 ? ajout.left(gen.bounded(1, int(ajout.size()))) : ajout;
            }
            aide_test::ecrit_octets(cible, contenu);
            // An edit that keeps the size may land within the stamp's two seconds: load it as
            // the tick does once it notices.
            f.taille_cible = -2;
            f.Timer1Timer();
            ref.charge(contenu);
            compare(f, *ref.f);
            if (QTest::currentTestFailed()) QFAIL(qPrintable(QStringLiteral("differs at step %1").arg(etape)));
        }
        QVERIFY(s.plateforme->messages.isEmpty());
    }

    // A tick that reloads draws once; a pass with nothing new leaves the picture alone.
    void un_trace_par_changement() {
        Session s;
        const QString cible = s.chemin("run.txt");
        QRandomGenerator gen(4);
        const aide_test::CibleEssai course = ecrivain(gen, 1);
        QByteArray contenu = course.octets() + course.ajout(0, 20);
        aide_test::ecrit_octets(cible, contenu);
        TForm1& f = s.demarre({cible});
        f.Timer1Timer();
        const qint64 cle = f.Image1->Picture().cacheKey();
        f.trace_graphe(QLatin1Char('E'));
        f.CheckBox1Click();
        QCOMPARE(f.Image1->Picture().cacheKey(), cle);
        contenu += course.ajout(20);
        aide_test::ecrit_octets(cible, contenu);
        f.Timer1Timer();
        QVERIFY(f.Image1->Picture().cacheKey() != cle);
        QCOMPARE(f.nb_enreg, 21);
    }
};

QTEST_MAIN(TestSuiviRapide)
#include "test_window_suivi_rapide.moc"
