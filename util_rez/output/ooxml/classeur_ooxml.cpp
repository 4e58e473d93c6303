#include "util_rez/output/ooxml/classeur_ooxml.h"

#include "util_rez/files/fichier_regulier.h"
#include "util_rez/files/remplace_fichier.h"
#include "util_rez/output/ooxml/feuille_ooxml.h"
#include "util_rez/output/tableur.h"

#include <QDir>
#include <QBuffer>
#include <QFile>
#include <QXmlStreamReader>
#include <quazip.h>
#include <quazipfile.h>

#include <functional>

namespace {

ErreurTableur pas_classeur(const QString& chemin) {
    return ErreurTableur(ErreurTableur::Cause::PasClasseur, QStringLiteral("not an Office Open XML workbook"),
                         chemin);
}

// Beyond these a package is a zip bomb or a freeze, not a workbook the export fills: a sheet of
// a million filled cells unpacks to less, and XML packs less than a hundredfold.
constexpr qint64 partie_max = 256 << 20;
constexpr qint64 partie_sans_rapport = 16 << 20;
constexpr qint64 rapport_max = 100;
constexpr int parties_max = 10000;

ErreurTableur trop_grand(const QString& chemin, const QString& detail) {
    return ErreurTableur(ErreurTableur::Cause::TropGrand, detail, chemin);
}

// Read no further than the limit, whatever size the package says the part has.
QByteArray lit_partie(QuaZip& zip, const QString& nom) {
    QuaZipFileInfo64 info;
    if (!zip.setCurrentFile(nom) || !zip.getCurrentFileInfo(&info))
        return {};
    const qint64 taille = qint64(info.uncompressedSize);
    if (taille > partie_max || (taille > partie_sans_rapport && taille > rapport_max * qint64(info.compressedSize)))
        throw trop_grand(QString(), QStringLiteral("%1 unpacks to %2 bytes").arg(nom).arg(taille));
    QuaZipFile f(&zip);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray octets = f.read(partie_max + 1);
    if (octets.size() > partie_max)
        throw trop_grand(QString(), QStringLiteral("%1 unpacks to more than %2 bytes").arg(nom).arg(partie_max));
    return octets;
}

// The attribute whose name ends with `fin` after any prefix (r:id, x:id ...).
QString attribut(const QXmlStreamAttributes& a, QStringView fin) {
    for (const auto& x : a)
        if (nom_local(x.qualifiedName()) == fin)
            return x.value().toString();
    return {};
}

// Relationship targets are relative to the folder of the part that names them.
QString resout(const QString& partie, const QString& cible) {
    if (cible.startsWith(u'/'))
        return cible.mid(1);
    const qsizetype i = partie.lastIndexOf(u'/');
    return QDir::cleanPath((i < 0 ? QString() : partie.left(i + 1)) + cible);
}

QString cible_relation(const QByteArray& rels,
                       const std::function<bool(const QXmlStreamAttributes&)>& choisit) {
    QXmlStreamReader r(rels);
    r.setNamespaceProcessing(false);
    while (!r.atEnd())
        if (r.readNext() == QXmlStreamReader::StartElement &&
            nom_local(r.qualifiedName()) == u"Relationship" && choisit(r.attributes()))
            return r.attributes().value(QLatin1String("Target")).toString();
    return {};
}

QString rels_de(const QString& partie) {
    const qsizetype i = partie.lastIndexOf(u'/');
    return partie.left(i + 1) + QStringLiteral("_rels/") + partie.mid(i + 1) + QStringLiteral(".rels");
}

QString premiere_feuille(QuaZip& zip) {
    const QString classeur = resout(
        QString(),
        cible_relation(lit_partie(zip, QStringLiteral("_rels/.rels")), [](const QXmlStreamAttributes& a) {
            return a.value(QLatin1String("Type")).endsWith(QLatin1String("/officeDocument"));
        }));
    QXmlStreamReader r(lit_partie(zip, classeur));
    r.setNamespaceProcessing(false);
    QString id;
    while (!r.atEnd() && id.isEmpty())
        if (r.readNext() == QXmlStreamReader::StartElement && nom_local(r.qualifiedName()) == u"sheet")
            id = attribut(r.attributes(), u"id");
    if (id.isEmpty())
        return {};
    const QString cible =
        cible_relation(lit_partie(zip, rels_de(classeur)),
                       [&](const QXmlStreamAttributes& a) { return a.value(QLatin1String("Id")) == id; });
    return cible.isEmpty() ? QString() : resout(classeur, cible);
}

bool copie_brute(QuaZip& de, QuaZip& vers) {
    QuaZipFileInfo64 info;
    if (!de.getCurrentFileInfo(&info))
        return false;
    QuaZipFile entree(&de);
    int methode = 0, niveau = 0;
    if (!entree.open(QIODevice::ReadOnly, &methode, &niveau, true))
        return false;
    const QByteArray octets = entree.readAll();
    QuaZipFile sortie(&vers);
    if (!sortie.open(QIODevice::WriteOnly, QuaZipNewInfo(info), nullptr, info.crc, methode, niveau, true))
        return false;
    sortie.write(octets);
    sortie.close();
    return sortie.getZipError() == 0;
}

// The sheet part, filled as it is compressed; `remplie` false when the cells cannot be put in.
bool ecrit_feuille(QuaZip& de, QuaZip& vers, const QByteArray& xml, const CellulesFeuille& cellules,
                   bool& remplie) {
    QuaZipFileInfo64 info;
    if (!de.getCurrentFileInfo(&info))
        return false;
    QuaZipFile sortie(&vers);
    if (!sortie.open(QIODevice::WriteOnly, QuaZipNewInfo(info)))
        return false;
    remplie = remplit_feuille(xml, cellules, sortie);
    sortie.close();
    return remplie && sortie.getZipError() == 0;
}

} // namespace

ClasseurOoxml::ClasseurOoxml(const QString& chemin) : source_(chemin) {
    QFile fichier;
    QString raison;
    if (!ouvre_regulier(fichier, chemin, raison))
        throw pas_classeur(chemin);
    QuaZip zip(&fichier);
    if (!zip.open(QuaZip::mdUnzip))
        throw pas_classeur(chemin);
    if (zip.getEntriesCount() > parties_max)
        throw trop_grand(chemin, QStringLiteral("%1 parts").arg(zip.getEntriesCount()));
    try {
        feuille_ = premiere_feuille(zip);
        if (!feuille_.isEmpty())
            xml_ = lit_partie(zip, feuille_);
    } catch (const ErreurTableur& e) {
        throw trop_grand(chemin, e.detail()); // a part told of by its name alone
    }
    QXmlStreamReader essai(xml_);
    essai.setNamespaceProcessing(false);
    // The whole sheet is read now, so that a sheet that breaks further on is found by the read,
    // not by the write.
    if (xml_.isEmpty() || !essai.readNextStartElement() || nom_local(essai.qualifiedName()) != u"worksheet" ||
        remplit_feuille(xml_, {}).isEmpty())
        throw pas_classeur(chemin);
}

void ClasseurOoxml::ecrit(int ligne, int colonne, const ValeurCellule& valeur) {
    if (ligne > 0 && colonne > 0)
        cellules_.ecrit({ligne, colonne}, valeur);
}

bool ClasseurOoxml::enregistre(const QString& vers, QString& raison) const {
    const auto echec = [&](const QString& r) {
        raison = r;
        return false;
    };
    QFile fichier;
    if (!ouvre_regulier(fichier, source_, raison))
        return echec(QStringLiteral("the workbook it was read from is gone"));
    QuaZip de(&fichier);
    if (!de.open(QuaZip::mdUnzip))
        return echec(QStringLiteral("the workbook it was read from is gone"));
    QBuffer paquet;
    {
        QuaZip zip(&paquet);
        if (!zip.open(QuaZip::mdCreate))
            return echec(QStringLiteral("the package could not be written"));
        bool ok = true;
        bool remplie = true;
        for (bool suite = de.goToFirstFile(); ok && suite; suite = de.goToNextFile())
            ok = de.getCurrentFileName() == feuille_ ? ecrit_feuille(de, zip, xml_, cellules_, remplie)
                                                     : copie_brute(de, zip);
        zip.close();
        if (!remplie)
            return echec(QStringLiteral("its sheet cannot be read"));
        if (!ok || zip.getZipError() != 0)
            return echec(QStringLiteral("the package could not be written"));
    }
    return remplace_fichier(vers, paquet.data(), raison, Lien::Refuse);
}
