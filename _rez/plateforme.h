#pragma once
#include <QColor>
#include <QMessageBox>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QPrinter;
class QSoundEffect;
class QTemporaryFile;
class QWidget;

// What the window asks of the desktop: modal dialogs, the screen, sounds, the text editor,
// the application that opens a workbook, the busy pointer.
// Tests replace it to answer dialogs and to see what was asked.
class Plateforme {
public:
    enum class Genre { Information, Erreur, Question, Confirmation };
    Plateforme();
    virtual ~Plateforme();

    virtual QMessageBox::StandardButton message(QWidget* parent, Genre genre, const QString& texte,
                                                QMessageBox::StandardButtons boutons);
    virtual std::optional<QString> ouvre_fichier(QWidget* parent, const QString& titre, const QString& dossier,
                                                 const QString& nom, const QString& filtre);
    // No filter, and no question when the file exists: the caller decides what to do with it.
    virtual std::optional<QString> enregistre_fichier(QWidget* parent, const QString& titre,
                                                      const QString& dossier, const QString& nom);
    virtual std::optional<QColor> choisit_couleur(QWidget* parent, const QColor& initiale);

    // The installed printers and the default one (empty when none is set).
    virtual QStringList imprimantes() const;
    virtual QString imprimante_par_defaut() const;
    // The printer dialog on `imprimante`, which keeps the paper chosen there; the chosen
    // printer's name, or nothing when the user cancels.
    virtual std::optional<QString> choisit_imprimante(QWidget* parent, QPrinter& imprimante);

    virtual QRect ecran() const;
    virtual QRect ecran_disponible() const;

    virtual void joue_son(const QString& chemin);
    virtual void bip_alerte();
    virtual void bip(int frequence_hz, int duree_ms);
    virtual void ouvre_editeur(const QString& dossier, const QString& nom_fichier);
    // Hands the file to the application the desktop opens such files with; false when none.
    virtual bool ouvre_document(const QString& chemin);
    // The busy pointer over the whole program, while a task that may take a while runs.
    virtual void curseur_occupe(bool occupe);

    // Told the path of a sound file that exists but that the player cannot open.
    std::function<void(const QString&)> erreur_son;

private:
    void joue(std::unique_ptr<QSoundEffect>& effet, const QString& chemin);
    void joue_genere(std::unique_ptr<QSoundEffect>& effet, int frequence_hz, int duree_ms);
    std::unique_ptr<QSoundEffect> son_;
    std::unique_ptr<QSoundEffect> alerte_;
    std::unique_ptr<QSoundEffect> tonalite_;
    std::map<std::pair<int, int>, std::unique_ptr<QTemporaryFile>> tonalites_;
};
