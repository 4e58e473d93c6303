#include "fenetre.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QtTest>

namespace {

// A setup file that chooses the language and keeps every other default.
void choisit_langue(Session& s, int langue) {
    aide_test::ecrit_octets(s.chemin(QStringLiteral("Lintrac_setup.txt")),
                            QByteArray("5\r\n") + QByteArray::number(langue) +
                                "\r\n2\r\n,\r\nID1\r\nID3\r\nFALSE\r\n0\r\n-2147483633\r\n-2147483633\r\n");
}

QStringList textes_boutons(const QList<QAbstractButton*>& boutons) {
    QStringList textes;
    for (const QAbstractButton* b : boutons)
        textes.append(b->text().remove(QLatin1Char('&')));
    textes.sort();
    return textes;
}

// Runs `pendant` on the modal dialog that `ouvre` opens, then closes that dialog.
void pendant_dialogue(const std::function<void()>& ouvre, const std::function<void(QWidget*)>& pendant) {
    bool vu = false;
    QTimer::singleShot(0, [&] {
        QWidget* d = QApplication::activeModalWidget();
        if (d) {
            vu = true;
            pendant(d);
            d->close();
        }
    });
    ouvre();
    QVERIFY(vu);
}

} // namespace

class TestLangues : public QObject {
    Q_OBJECT
  private slots:
    // Qt's own dialogs follow the chosen language and change with it.
    void dialogues_de_qt_dans_la_langue() {
        Session s;
        choisit_langue(s, 0);
        TForm1& f = s.demarre();
        QStringList boutons;
        pendant_dialogue(
            [&] {
                s.plateforme->Plateforme::message(&f, Plateforme::Genre::Question, QStringLiteral("?"),
                                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            },
            [&](QWidget* d) { boutons = textes_boutons(d->findChild<QDialogButtonBox*>()->buttons()); });
        QCOMPARE(boutons, (QStringList{"Annuler", "Non", "Oui"}));

        QStringList filtres, boutons_fichier;
        pendant_dialogue(
            [&] {
                s.plateforme->Plateforme::ouvre_fichier(&f, f.texte_message(2), s.dossier.path(), QString(),
                                                        f.filtre_cible());
            },
            [&](QWidget* d) {
                const QComboBox* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                for (int i = 0; i < types->count(); ++i)
                    filtres.append(types->itemText(i));
                const auto* b = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                boutons_fichier = textes_boutons(b->buttons());
            });
        QCOMPARE(filtres, (QStringList{"tous (*.*)", "Fichiers texte (*.txt)"}));
        f.SpeedButton1->click(); // each pattern once, behind the name the dialog shows alone
        QCOMPARE(s.plateforme->ouvertures.first().filtre,
                 QStringLiteral("tous (*.*) (*);;Fichiers texte (*.txt) (*.txt*)"));
        QCOMPARE(boutons_fichier, (QStringList{"Annuler", "Ouvrir"}));

        f.langage_RadioGroup1->setItemIndex(3);
        pendant_dialogue(
            [&] {
                s.plateforme->Plateforme::message(&f, Plateforme::Genre::Question, QStringLiteral("?"),
                                                  QMessageBox::Yes | QMessageBox::No);
            },
            [&](QWidget* d) { boutons = textes_boutons(d->findChild<QDialogButtonBox*>()->buttons()); });
        QCOMPARE(boutons, (QStringList{"Ja", "Nein"}));
        // The hints name the keys in Qt's words for the language.
        QCOMPARE(f.SpeedButton4->toolTip(), QStringLiteral("Kommentar an die Zieldatei anhängen (Strg+S)"));
        QCOMPARE(f.SpeedButton13->toolTip(), QStringLiteral("Schließen (Esc)"));
    }

    // The failures of window-free code read in the window's language, naming what failed.
    void erreurs_dans_la_langue_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("periode");
        QTest::addColumn<QString>("echelle");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("de: integer") << 3 << "abc"
                                     << "5"
                                     << "'abc' ist keine gültige ganze Zahl.";
        QTest::newRow("it: negative period") << 1 << "-3"
                                             << "5"
                                             << "'-3' non è un periodo di aggiornamento valido.";
        QTest::newRow("fr: real") << 0 << "5"
                                  << "1x0"
                                  << "'1x0' n'est pas un nombre décimal valide.";
    }
    void erreurs_dans_la_langue() {
        QFETCH(int, langue);
        QFETCH(QString, periode);
        QFETCH(QString, echelle);
        QFETCH(QString, attendu);
        Session s;
        choisit_langue(s, langue);
        TForm1& f = s.demarre();
        f.Edit5->setText(periode);
        f.Edit1->setText(echelle);
        QTest::keyClick(f.Edit1, Qt::Key_Return); // Enter in a scale field redraws
        f.Timer1Timer();
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY2(s.plateforme->messages.first().startsWith(attendu),
                 qPrintable(s.plateforme->messages.first()));
    }

    void fichier_et_son_dans_la_langue() {
        Session s;
        choisit_langue(s, 3);
        const QString absent = s.chemin(QStringLiteral("weg.txt"));
        TForm1& f = s.demarre({absent});
        QCOMPARE(s.plateforme->messages,
                 QStringList{"Fehler beim Öffnen der Datei \"" + absent + "\". Die Datei existiert nicht."});
        s.plateforme->erreur_son(QStringLiteral("/x/ding1.wav"));
        QTRY_COMPARE(s.plateforme->messages.size(), 2);
        QCOMPARE(s.plateforme->messages.last(),
                 QStringLiteral("Fehler beim Abspielen der Tondatei \"/x/ding1.wav\"."));
        QCOMPARE(f.fichier_langue, QStringLiteral("Lintrace_lng.de.txt"));
    }

    // Without its language file the window still says what failed, in the code's words.
    void sans_fichier_de_langue_le_texte_du_code() {
        Session s(QStringList{});
        TForm1& f = s.demarre();
        s.plateforme->messages.clear();
        f.Edit5->setText(QStringLiteral("abc"));
        f.Timer1Timer();
        QCOMPARE(s.plateforme->messages.size(), 1);
        QVERIFY(
            s.plateforme->messages.first().startsWith(QStringLiteral("'abc' is not a valid integer value.")));
    }
};

QTEST_MAIN(TestLangues)
#include "test_window_langues.moc"
