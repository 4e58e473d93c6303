#include "_rez/plateforme.h"

#include "util_rez/editeur.h"
#include "util_rez/onde.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSoundEffect>
#include <QUrl>

Plateforme::Plateforme() = default;
Plateforme::~Plateforme() = default;

QMessageBox::StandardButton Plateforme::message(QWidget* parent, Genre genre, const QString& texte,
                                                QMessageBox::StandardButtons boutons) {
    QMessageBox::Icon icone = QMessageBox::Information;
    if (genre == Genre::Erreur)
        icone = QMessageBox::Critical;
    else if (genre == Genre::Question)
        icone = QMessageBox::Question;
    else if (genre == Genre::Confirmation)
        icone = QMessageBox::Question;
    QMessageBox boite(icone, QGuiApplication::applicationDisplayName(), texte, boutons, parent);
    return static_cast<QMessageBox::StandardButton>(boite.exec());
}

std::optional<QString> Plateforme::ouvre_fichier(QWidget* parent, const QString& titre, const QString& dossier,
                                                 const QString& nom, const QString& filtre) {
    QFileDialog dialogue(parent, titre, dossier, filtre);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    if (!nom.isEmpty())
        dialogue.selectFile(nom);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogue.selectedFiles().first();
}

std::optional<QColor> Plateforme::choisit_couleur(QWidget* parent, const QColor& initiale) {
    const QColor c = QColorDialog::getColor(initiale, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

QRect Plateforme::ecran() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

QRect Plateforme::ecran_disponible() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : ecran();
}

void Plateforme::joue_son(const QString& chemin) {
    // A new sound cuts off the one still playing.
    son_ = std::make_unique<QSoundEffect>();
    son_->setSource(QUrl::fromLocalFile(chemin));
    son_->play();
}

void Plateforme::joue_genere(std::unique_ptr<QSoundEffect>& effet, const QString& nom, int frequence_hz,
                             int duree_ms) {
    const QString chemin = QDir::temp().filePath(nom);
    if (!QFile::exists(chemin)) {
        QFile f(chemin);
        if (f.open(QIODevice::WriteOnly))
            f.write(onde_sinus(frequence_hz, duree_ms));
    }
    effet = std::make_unique<QSoundEffect>();
    effet->setSource(QUrl::fromLocalFile(chemin));
    effet->play();
}

void Plateforme::bip_alerte() {
    joue_genere(alerte_, QStringLiteral("lintrace-alerte-880-180.wav"), 880, 180);
}

void Plateforme::bip(int frequence_hz, int duree_ms) {
    joue_genere(tonalite_, QStringLiteral("lintrace-bip-%1-%2.wav").arg(frequence_hz).arg(duree_ms),
                frequence_hz, duree_ms);
}

void Plateforme::ouvre_editeur(const QString& dossier, const QString& nom_fichier) {
    ouvrir_avec_notepad(dossier, nom_fichier);
}
