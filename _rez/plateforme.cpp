#include "_rez/plateforme.h"

#include "util_rez/shell/editeur.h"
#include "util_rez/shell/onde.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>

Plateforme::Plateforme() = default;
Plateforme::~Plateforme() = default;

QMessageBox::StandardButton Plateforme::message(QWidget* parent, Genre genre, const QString& texte,
                                                QMessageBox::StandardButtons boutons) {
    QMessageBox::Icon icone = QMessageBox::Information;
    if (genre == Genre::Erreur)
        icone = QMessageBox::Critical;
    else if (genre != Genre::Information)
        icone = QMessageBox::Question;
    QMessageBox boite(icone, QGuiApplication::applicationDisplayName(), texte, boutons, parent);
    return static_cast<QMessageBox::StandardButton>(boite.exec());
}

std::optional<QString> Plateforme::ouvre_fichier(QWidget* parent, const QString& titre, const QString& dossier,
                                                 const QString& nom, const QString& filtre) {
    QFileDialog dialogue(parent, titre, dossier, filtre);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    // An entry's name may already show its pattern, as "all(*.*)" does.
    dialogue.setOption(QFileDialog::HideNameFilterDetails);
    if (!nom.isEmpty())
        dialogue.selectFile(nom);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogue.selectedFiles().first();
}

std::optional<QString> Plateforme::enregistre_fichier(QWidget* parent, const QString& titre,
                                                      const QString& dossier, const QString& nom) {
    QFileDialog dialogue(parent, titre, dossier);
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setOption(QFileDialog::DontConfirmOverwrite);
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

QStringList Plateforme::imprimantes() const {
    return QPrinterInfo::availablePrinterNames();
}

QString Plateforme::imprimante_par_defaut() const {
    return QPrinterInfo::defaultPrinterName();
}

std::optional<QString> Plateforme::choisit_imprimante(QWidget* parent, QPrinter& imprimante) {
    QPrintDialog dialogue(&imprimante, parent);
    // A file is no printer: the confirmation must be able to name where the page goes.
    dialogue.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialogue.exec() != QDialog::Accepted || imprimante.printerName().isEmpty())
        return std::nullopt;
    return imprimante.printerName();
}

QRect Plateforme::ecran() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

QRect Plateforme::ecran_disponible() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : ecran();
}

void Plateforme::joue(std::unique_ptr<QSoundEffect>& effet, const QString& chemin) {
    // A new sound cuts off the one still playing.
    effet = std::make_unique<QSoundEffect>();
    QSoundEffect* e = effet.get();
    QObject::connect(e, &QSoundEffect::statusChanged, e, [this, e, chemin] {
        if (e->status() == QSoundEffect::Error && erreur_son)
            erreur_son(chemin);
    });
    e->setSource(QUrl::fromLocalFile(chemin));
    e->play();
}

void Plateforme::joue_son(const QString& chemin) {
    joue(son_, chemin);
}

void Plateforme::joue_genere(std::unique_ptr<QSoundEffect>& effet, int frequence_hz, int duree_ms) {
    auto& fichier = tonalites_[{frequence_hz, duree_ms}];
    if (!fichier) {
        fichier = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("lintrace-XXXXXX.wav")));
        if (!fichier->open())
            return;
        fichier->write(onde_sinus(frequence_hz, duree_ms));
        fichier->flush();
    }
    joue(effet, fichier->fileName());
}

void Plateforme::bip_alerte() {
    joue_genere(alerte_, 880, 180);
}

void Plateforme::bip(int frequence_hz, int duree_ms) {
    joue_genere(tonalite_, frequence_hz, duree_ms);
}

void Plateforme::ouvre_editeur(const QString& dossier, const QString& nom_fichier) {
    ouvrir_avec_notepad(dossier, nom_fichier);
}

bool Plateforme::ouvre_document(const QString& chemin) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

void Plateforme::curseur_occupe(bool occupe) {
    if (occupe)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
