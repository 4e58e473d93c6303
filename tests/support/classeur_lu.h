#pragma once
#include <QBuffer>
#include <QMap>
#include <QString>
#include <QXmlStreamReader>
#include <quazip.h>
#include <quazipfile.h>

// Reads a workbook package the way a test wants to look at it.
namespace aide_test {

inline QByteArray partie_zip(const QString& chemin, const QString& partie) {
    QuaZip zip(chemin);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(partie))
        return {};
    QuaZipFile f(&zip);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList parties_zip(const QString& chemin) {
    QuaZip zip(chemin);
    return zip.open(QuaZip::mdUnzip) ? zip.getFileNameList() : QStringList();
}

// A zip package holding one file, which no spreadsheet application takes for a workbook.
inline QByteArray zip_d_un_fichier(const QString& nom, const QByteArray& contenu) {
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    QuaZip zip(&b);
    zip.setAutoClose(false);
    zip.open(QuaZip::mdCreate);
    QuaZipFile f(&zip);
    f.open(QIODevice::WriteOnly, QuaZipNewInfo(nom));
    f.write(contenu);
    f.close();
    zip.close();
    return b.data();
}

struct CelluleLue {
    QString texte;
    QString style;
    QString type;
};

// The cells of a sheet part by reference ("K3"), with their text, style and type.
inline QMap<QString, CelluleLue> cellules_feuille(const QByteArray& xml) {
    QMap<QString, CelluleLue> c;
    QXmlStreamReader r(xml);
    QString ref;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"c") {
            ref = r.attributes().value("r").toString();
            c[ref] = {QString(), r.attributes().value("s").toString(), r.attributes().value("t").toString()};
        } else if (r.isStartElement() && (r.name() == u"t" || r.name() == u"v") && !ref.isEmpty()) {
            c[ref].texte += r.readElementText();
        } else if (r.isEndElement() && r.name() == u"c") {
            ref.clear();
        }
    }
    return c;
}

} // namespace aide_test
