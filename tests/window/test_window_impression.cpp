#include "cible_essai.h"
#include "fenetre.h"

#include "util_rez/plot/trace.h"

#include <QtTest>

namespace {

const QString question = QStringLiteral("Print the page on this printer? \r\r");

struct Impression {
    Session s;
    TForm1* f = nullptr;
    bool panneau_pendant_question = false;
    QRect apercu_pendant_question;

    explicit Impression(std::optional<QStringList> imprimantes, QString defaut = {}) {
        aide_test::ecrit_octets(
            s.chemin("run.txt"),
            aide_test::CibleEssai{.titre = "h1", .operateur = "h2", .noms = "Runtime A", .donnees = {"1 50"}}
                .octets());
        f = &s.demarre({s.chemin("run.txt")}, [&](PlateformeTest& p) {
            p.imprimantes_ = std::move(imprimantes);
            p.imprimante_defaut_ = std::move(defaut);
        });
        s.plateforme->pendant_message = [this] {
            panneau_pendant_question = f->Panel4->isVisible();
            apercu_pendant_question = f->preview_Image4->geometry();
        };
    }
    void imprime(std::initializer_list<QMessageBox::StandardButton> reponses) {
        s.plateforme->reponses.assign(reponses);
        QTest::mouseClick(f->SpeedButton5, Qt::LeftButton);
    }
};

} // namespace

class TestImpression : public QObject {
    Q_OBJECT
  private slots:
    void sans_imprimante_un_message() {
        Impression i(QStringList{});
        QVERIFY(i.f->SpeedButton5->isEnabled());
        i.imprime({});
        QCOMPARE(i.s.plateforme->messages, QStringList{"No printer is installed."});
        QCOMPARE(i.s.plateforme->dialogues_imprimante, 0);
        QVERIFY(i.f->Panel4->isHidden());
    }

    void une_imprimante_sans_dialogue() {
        Impression i(QStringList{"Bureau"});
        i.imprime({QMessageBox::No});
        QCOMPARE(i.s.plateforme->dialogues_imprimante, 0);
        QCOMPARE(i.s.plateforme->messages, QStringList{question + "Bureau"});
        QVERIFY(i.panneau_pendant_question);
        QVERIFY(i.f->Panel4->isHidden());
    }

    // A long comment makes several pages: the question says how many before any is printed.
    void nombre_de_pages_annonce() {
        Impression i(QStringList{"Bureau"});
        i.f->Memo3->setPlainText(QStringLiteral("line\n").repeated(200));
        i.imprime({QMessageBox::No});
        const QString m = i.s.plateforme->messages.value(0);
        QVERIFY2(m.startsWith(question + "Bureau\n\nNumber of pages: "), qPrintable(m));
        QVERIFY(m.section(u' ', -1).toInt() >= 2);
    }
    void dialogue_annule() {
        Impression i(QStringList{"Bureau", "Atelier"}, "Atelier");
        i.s.plateforme->imprimantes_choisies = {std::nullopt};
        i.imprime({QMessageBox::Yes});
        QCOMPARE(i.s.plateforme->dialogues_imprimante, 1);
        QVERIFY(i.s.plateforme->messages.isEmpty());
        QVERIFY(i.f->Panel4->isHidden());
    }

    void apercu_de_la_page_choisie() {
        Impression i(QStringList{"Bureau", "Atelier"});
        i.s.plateforme->imprimantes_choisies = {QStringLiteral("Atelier")};
        QCOMPARE(i.f->Panel4->width(), 373);
        i.imprime({QMessageBox::No});
        QCOMPARE(i.s.plateforme->messages, QStringList{question + "Atelier"});
        QCOMPARE(i.apercu_pendant_question, QRect(20, 20, 248, 350));
        const QImage& apercu = i.f->preview_Image4->Picture();
        QCOMPARE(apercu.size(), QSize(248, 350));
        QCOMPARE(apercu.pixelColor(62, 218), couleur_axes);
        QCOMPARE(apercu.pixelColor(62, 218 - 100), couleur_axes);
        QCOMPARE(apercu.pixelColor(200, 30), QColor(Qt::white));
        QVERIFY(i.f->Panel4->isHidden());
    }

    // Qt would send the job to another printer than the one the user agreed to.
    void imprimante_disparue_pas_de_page() {
        Impression i(QStringList{"Bureau"});
        i.imprime({QMessageBox::Yes});
        QCOMPARE(
            i.s.plateforme->messages,
            (QStringList{question + "Bureau", "The page could not be printed on this printer: \r\rBureau"}));
        QVERIFY(i.f->Panel4->isHidden());
    }

    void echelle_illisible_ferme_l_apercu() {
        Impression i(QStringList{"Bureau"});
        i.f->autoscale_X_CheckBox7->setChecked(false);
        i.f->Edit1->setText(QStringLiteral("abc"));
        i.imprime({QMessageBox::Yes});
        QCOMPARE(i.s.plateforme->messages.size(), 1);
        QVERIFY(i.s.plateforme->messages[0].contains("abc"));
        QVERIFY(i.f->Panel4->isHidden());
    }
};

QTEST_MAIN(TestImpression)
#include "test_window_impression.moc"
