#pragma once
#include "_rez/tform1.h"
#include "util_rez/target/lignes_cible.h"
#include "helpers.h"

#include <QPageSize>
#include <QPrinter>
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
    QStringList fichiers_enregistres; // answers of the save dialog; a null string cancels it
    QList<Ouverture> enregistrements;
    QStringList sons;
    int bips_alerte = 0;
    QList<QPair<int, int>> bips;
    QStringList editeur;
    QRect ecran_ = QRect(0, 0, 1920, 1080);
    QRect disponible_ = QRect(0, 0, 1920, 1040);
    std::function<void()> pendant_message; // runs while a box would be open
    std::optional<QStringList> imprimantes_; // unset: the desktop's own printers
    QString imprimante_defaut_;
    std::deque<std::optional<QString>> imprimantes_choisies; // nothing cancels the dialog
    QPageSize papier_choisi = QPageSize(QPageSize::A4);
    int dialogues_imprimante = 0;
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
        return prend(fichiers_choisis);
    }
    std::optional<QString> enregistre_fichier(QWidget*, const QString& titre, const QString& dossier,
                                              const QString& nom) override {
        enregistrements.append({titre, dossier, nom, QString()});
        return prend(fichiers_enregistres);
    }
    std::optional<QColor> choisit_couleur(QWidget*, const QColor&) override {
        if (couleurs_choisies.empty())
            return std::nullopt;
        auto r = couleurs_choisies.front();
        couleurs_choisies.pop_front();
        return r;
    }
    QStringList imprimantes() const override { return imprimantes_ ? *imprimantes_ : Plateforme::imprimantes(); }
    QString imprimante_par_defaut() const override {
        return imprimantes_ ? imprimante_defaut_ : Plateforme::imprimante_par_defaut();
    }
    std::optional<QString> choisit_imprimante(QWidget*, QPrinter& imprimante) override {
        ++dialogues_imprimante;
        if (imprimantes_choisies.empty())
            return std::nullopt;
        const auto r = imprimantes_choisies.front();
        imprimantes_choisies.pop_front();
        if (r) {
            imprimante.setPrinterName(*r);
            imprimante.setPageSize(papier_choisi);
        }
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

private:
    static std::optional<QString> prend(QStringList& reponses) {
        if (reponses.isEmpty())
            return std::nullopt;
        const QString r = reponses.takeFirst();
        if (r.isNull())
            return std::nullopt;
        return std::make_optional(r);
    }
};

// A program folder with the shipped data files and a window started on it.
struct Session {
    QTemporaryDir dossier;
    PlateformeTest* plateforme = nullptr;
    std::unique_ptr<TForm1> fenetre;
    // Installed: the program folder taken as read-only, the written files in `utilisateur`
    // (not made beforehand: the program makes it on first use).
    bool installe = false;
    QTemporaryDir base_utilisateur;
    QString utilisateur = base_utilisateur.filePath(QStringLiteral("Lintrace"));

    explicit Session(const QStringList& donnees = {"Lintrace_lng.fr.txt", "Lintrace_lng.it.txt",
                                                    "Lintrace_lng.en.txt", "Lintrace_lng.de.txt", "ding1.wav",
                                                    "ding2.wav"}) {
        aide_test::copie_donnees(dossier.path(), donnees);
    }
    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    QString chemin_utilisateur(const QString& nom) const { return QDir(utilisateur).filePath(nom); }
    TForm1& demarre(const QStringList& arguments = {}, std::function<void(PlateformeTest&)> prepare = {}) {
        auto p = std::make_unique<PlateformeTest>();
        if (prepare)
            prepare(*p);
        plateforme = p.get();
        if (installe)
            fenetre = std::make_unique<TForm1>(arguments, Emplacements(dossier.path(), utilisateur, false),
                                               std::move(p));
        else
            fenetre = std::make_unique<TForm1>(arguments, dossier.path(), std::move(p));
        fenetre->show(); // resize events reach the controls only once the window is shown
        return *fenetre;
    }
    // Started on a target file `nom` in the program folder that holds `contenu`.
    TForm1& demarre_sur(const QString& nom, const QByteArray& contenu) {
        aide_test::ecrit_octets(chemin(nom), contenu);
        return demarre({chemin(nom)});
    }
};
