#include "util_rez/config/setup.h"

#include "util_rez/base/conversions.h"
#include "util_rez/base/erreur.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/files/remplace_fichier.h"

#include <QFile>
#include <QFileInfo>
#include <functional>

namespace {

constexpr int nb_lignes_setup = 11;
constexpr int nb_lignes_obligatoires = 10;
// Far above any setting; a longer line is cut there rather than taken whole into a field.
constexpr qsizetype longueur_max_ligne = 4096;

using Application = std::function<void(ReglagesSetup&, const QString&)>;

const std::array<Application, nb_lignes_setup>& applications() {
    static const std::array<Application, nb_lignes_setup> a{
        [](ReglagesSetup& r, const QString& l) { r.periode = l; },
        [](ReglagesSetup& r, const QString& l) { r.langue = StrToInt(l); },
        [](ReglagesSetup& r, const QString& l) { r.epaisseur = l; },
        [](ReglagesSetup& r, const QString& l) { r.decimale = l; },
        [](ReglagesSetup& r, const QString& l) { r.nom_haut = l; },
        [](ReglagesSetup& r, const QString& l) { r.nom_bas = l; },
        [](ReglagesSetup& r, const QString& l) { r.son = l == QLatin1String("TRUE"); },
        [](ReglagesSetup& r, const QString& l) { r.tableur = StrToInt(l); },
        [](ReglagesSetup& r, const QString& l) { r.couleur_haut = StrToInt(l); },
        [](ReglagesSetup& r, const QString& l) { r.couleur_bas = StrToInt(l); },
        [](ReglagesSetup& r, const QString& l) { r.fenetre = l; },
    };
    return a;
}

} // namespace

LectureSetup lit_setup(const QString& chemin, const ReglagesSetup& actuels) {
    LectureSetup lecture;
    lecture.reglages = actuels;
    // Whatever else has the name, a folder or a pipe, is a setup file that cannot be read.
    if (!QFileInfo::exists(chemin)) return lecture;
    lecture.fichier_present = true;
    const QStringList lignes = lit_premieres_lignes(chemin, nb_lignes_setup, longueur_max_ligne);
    const int nb_lues = std::max<int>(nb_lignes_obligatoires, std::min<qsizetype>(lignes.size(), nb_lignes_setup));
    for (int i = 0; i < nb_lues; ++i) {
        const QString ligne = i < lignes.size() ? lignes[i] : QString();
        try {
            applications()[i](lecture.reglages, ligne);
        } catch (const ErreurRez& e) {
            lecture.erreur = e;
            return lecture;
        }
        lecture.lignes_appliquees = i + 1;
    }
    return lecture;
}

QStringList lignes_setup(const ReglagesSetup& r) {
    return {r.periode,
            QString::number(r.langue),
            r.epaisseur,
            r.decimale,
            r.nom_haut,
            r.nom_bas,
            r.son ? QStringLiteral("TRUE") : QStringLiteral("FALSE"),
            QString::number(r.tableur),
            QString::number(r.couleur_haut),
            QString::number(r.couleur_bas),
            r.fenetre};
}

// Replaced in one step, so a save that fails half-way keeps the settings saved before.
bool ecrit_setup(const QString& chemin, const ReglagesSetup& r, QString& raison) {
    return remplace_fichier(chemin, encode_lignes(lignes_setup(r), Codage::Utf8), raison, Lien::Refuse);
}

int borne_index(int32_t index, int nombre) {
    if (index < -1)
        return -1;
    if (index >= nombre)
        return nombre - 1;
    return index;
}

QString code_langue(int index) {
    static const char* const codes[] = {"fr", "it", "en", "de"};
    return index >= 0 && index < 4 ? QString::fromLatin1(codes[index]) : QString();
}

QString nom_fichier_langue(int index) {
    const QString code = code_langue(index);
    return code.isEmpty() ? code : QStringLiteral("Lintrace_lng.%1.txt").arg(code);
}

QString nom_fichier_aide(int index) {
    const QString code = code_langue(index);
    return code.isEmpty() ? code : QStringLiteral("Lintrace_help.%1.txt").arg(code);
}
