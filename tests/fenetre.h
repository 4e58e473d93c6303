#pragma once
#include "_rez/tform1.h"
#include "helpers.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

// The desktop as the window tests see it: dialogs answered from queues, everything asked
// of it written down.
class PlateformeTest : public Plateforme {
public:
    QStringList messages;
    std::deque<QMessageBox::StandardButton> reponses;
    QStringList fichiers_choisis; // a null string cancels the dialog
    std::deque<std::optional<QColor>> couleurs_choisies;
    struct Ouverture {
        QString titre, dossier, nom, filtre;
    };
    QList<Ouverture> ouvertures;
    QStringList sons;
    int bips_alerte = 0;
    QList<QPair<int, int>> bips;
    QStringList editeur;
    QRect ecran_ = QRect(0, 0, 1920, 1080);
    QRect disponible_ = QRect(0, 0, 1920, 1040);
    std::function<void()> pendant_message; // runs while a box would be open
    QStringList documents;                 // files handed to the desktop's application
    bool application_presente = true;      // whether the desktop has one for them
    QList<bool> curseurs;                  // busy pointer set (true) and taken back (false)

    QMessageBox::StandardButton message(QWidget*, Genre, const QString& texte,
                                        QMessageBox::StandardButtons) override {
        messages.append(texte);
        if (pendant_message)
            pendant_message();
        if (reponses.empty())
            return QMessageBox::Ok;
        const auto r = reponses.front();
        reponses.pop_front();
        return r;
    }
    std::optional<QString> ouvre_fichier(QWidget*, const QString& titre, const QString& dossier, const QString& nom,
                                         const QString& filtre) override {
        ouvertures.append({titre, dossier, nom, filtre});
        if (fichiers_choisis.isEmpty())
            return std::nullopt;
        const QString r = fichiers_choisis.takeFirst();
        if (r.isNull())
            return std::nullopt;
        return std::make_optional(r);
    }
    std::optional<QColor> choisit_couleur(QWidget*, const QColor&) override {
        if (couleurs_choisies.empty())
            return std::nullopt;
        auto r = couleurs_choisies.front();
        couleurs_choisies.pop_front();
        return r;
    }
    QRect ecran() const override { return ecran_; }
    QRect ecran_disponible() const override { return disponible_; }
    void joue_son(const QString& chemin) override { sons.append(QFileInfo(chemin).fileName()); }
    void bip_alerte() override { ++bips_alerte; }
    void bip(int f, int d) override { bips.append({f, d}); }
    void ouvre_editeur(const QString& dossier, const QString& nom) override { editeur << dossier << nom; }
    bool ouvre_document(const QString& chemin) override {
        documents.append(chemin);
        return application_presente;
    }
    void curseur_occupe(bool occupe) override { curseurs.append(occupe); }
};

// A program folder with the shipped data files and a window started on it.
struct Session {
    QTemporaryDir dossier;
    PlateformeTest* plateforme = nullptr;
    std::unique_ptr<TForm1> fenetre;

    explicit Session(const QStringList& donnees = {"Lintrace_lng.fr.txt", "Lintrace_lng.it.txt",
                                                    "Lintrace_lng.en.txt", "Lintrace_lng.de.txt", "ding1.wav",
                                                    "ding2.wav"}) {
        aide_test::copie_donnees(dossier.path(), donnees);
    }
    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    TForm1& demarre(const QStringList& arguments = {}, std::function<void(PlateformeTest&)> prepare = {}) {
        auto p = std::make_unique<PlateformeTest>();
        if (prepare)
            prepare(*p);
        plateforme = p.get();
        fenetre = std::make_unique<TForm1>(arguments, dossier.path(), std::move(p));
        fenetre->show(); // resize events reach the controls only once the window is shown
        return *fenetre;
    }
};
