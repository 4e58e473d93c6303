#pragma once
#include "util_rez/base/erreur.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

inline const QString nom_fichier_setup = QStringLiteral("Lintrac_setup.txt");
constexpr int32_t couleur_face_bouton = static_cast<int32_t>(0x8000000F);

// The settings of the setup file, in file order: ten, and the latest-data window, which an
// older file of ten lines leaves at its default.
struct ReglagesSetup {
    QString periode = QStringLiteral("5");
    int32_t langue = 2;
    QString epaisseur = QStringLiteral("2");
    QString decimale = QStringLiteral(",");
    QString nom_haut = QStringLiteral("ID1");
    QString nom_bas = QStringLiteral("ID3");
    bool son = false;
    int32_t tableur = 0;
    int32_t couleur_haut = couleur_face_bouton;
    int32_t couleur_bas = couleur_face_bouton;
    QString fenetre = QStringLiteral("60");
};

struct LectureSetup {
    bool fichier_present = false;
    int lignes_appliquees = 0;       // settings 1..lignes_appliquees hold the file's values
    ReglagesSetup reglages;          // the others keep the values passed in
    std::optional<ErreurRez> erreur; // why reading stopped early (a bad integer line)
};

// Reads the file line by line over `actuels`, stopping at the first integer line that is
// not an integer (a missing line of the ten reads as empty, a missing eleventh is left as it
// was). Lines after the eleventh are not read, and a
// line is cut at 4096 bytes. Throws ErreurRez when something that is no regular file, or
// cannot be read, has the name.
LectureSetup lit_setup(const QString& chemin, const ReglagesSetup& actuels);

QStringList lignes_setup(const ReglagesSetup& r);
bool ecrit_setup(const QString& chemin, const ReglagesSetup& r, QString& raison);

// Keeps a radio-group index within -1 .. nombre-1.
int borne_index(int32_t index, int nombre);

// "Lintrace_lng.xx.txt" for a language index, or empty for an index outside 0..3.
QString nom_fichier_langue(int index);
QString nom_fichier_aide(int index);
// "fr", "it", "en" or "de" for a language index, the code Qt's own translations are named by.
QString code_langue(int index);
