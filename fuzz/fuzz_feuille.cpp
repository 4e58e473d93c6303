// The workbook sheet writer over any XML: a sheet it fills is XML again, and every cell it
// wrote reads back with its text.
#include "commun.h"
#include "util_rez/output/ooxml/feuille_ooxml.h"

#include <QXmlStreamReader>

namespace {

bool xml_bien_forme(const QByteArray& xml) {
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    while (!r.atEnd())
        r.readNext();
    return !r.hasError();
}

// One table of rows, rows in order, cells in order within their row, each cell's reference on
// its own row: the sheets a spreadsheet writes. The writer trusts them to be so.
bool feuille_ordonnee(const QByteArray& xml) {
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    int rang = 0;
    int tables = 0;
    std::pair<int, int> derniere{0, 0};
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement()) continue;
        const QStringView nom = nom_local(r.qualifiedName());
        if (nom == u"sheetData" && ++tables > 1) return false;
        if (nom == u"row") {
            bool ok = false;
            const int n = r.attributes().value(QStringLiteral("r")).toInt(&ok);
            if (!ok || n <= rang) return false;
            rang = n;
        } else if (nom == u"c") {
            const auto p = position_cellule(r.attributes().value(QStringLiteral("r")));
            if (p.first != rang || p <= derniere) return false;
            derniere = p;
        }
    }
    return !r.hasError();
}

// A row or a column numbered beyond any spreadsheet's: no sheet, whatever else it holds.
bool hors_feuille(const QByteArray& xml) {
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    int profondeur = 0, donnees = -1, rang = -1;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement()) {
            if (profondeur == rang) rang = -1;
            if (profondeur-- == donnees) return false;
        }
        if (!r.isStartElement()) continue;
        const QStringView nom = nom_local(r.qualifiedName());
        ++profondeur;
        if (nom == u"sheetData" && donnees < 0) donnees = profondeur;
        if (nom == u"row" && donnees > 0 && profondeur == donnees + 1) {
            rang = profondeur;
            if (r.attributes().value(QStringLiteral("r")).toLongLong() > 1048576) return true;
        }
        if (nom == u"c" && rang > 0 && profondeur == rang + 1 &&
            position_cellule(r.attributes().value(QStringLiteral("r"))).second > 16384)
            return true;
    }
    return false;
}

// The texts of the cells by position, as a spreadsheet reads them.
std::map<std::pair<int, int>, QString> lit_cellules(const QByteArray& xml) {
    std::map<std::pair<int, int>, QString> c;
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    std::pair<int, int> ici{0, 0};
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && nom_local(r.qualifiedName()) == u"c") {
            ici = position_cellule(r.attributes().value(QStringLiteral("r")));
            c[ici];
        } else if (r.isStartElement() && nom_local(r.qualifiedName()) == u"t" && ici.first > 0) {
            c[ici] += r.readElementText();
        } else if (r.isEndElement() && nom_local(r.qualifiedName()) == u"c") {
            ici = {0, 0};
        }
    }
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    const auto [xml, demandes] = fuzz::coupe_en_deux(fuzz::octets(data, taille));
    CellulesFeuille cellules;
    for (qsizetype i = 0; i + 2 < demandes.size() && cellules.size() < 16; i += 3) {
        const int ligne = 1 + uchar(demandes[i]) % 40;
        const int colonne = 1 + uchar(demandes[i + 1]) % 30;
        cellules.ecrit({ligne, colonne}, QStringLiteral("v%1").arg(uchar(demandes[i + 2])));
    }
    for (int colonne = 1; colonne <= 1000; colonne += 37)
        FUZZ_VERIFIE(position_cellule(nom_colonne(colonne) + QStringLiteral("12")) ==
                     std::make_pair(12, colonne));

    const QByteArray sortie = remplit_feuille(xml, cellules);
    if (!xml_bien_forme(xml)) return 0;
    if (hors_feuille(xml)) FUZZ_VERIFIE(sortie.isEmpty());
    if (sortie.isEmpty()) return 0;
    FUZZ_VERIFIE(xml_bien_forme(sortie));
    if (!feuille_ordonnee(xml)) return 0;
    FUZZ_VERIFIE(feuille_ordonnee(sortie));
    const auto lues = lit_cellules(sortie);
    for (const auto& [position, valeur] : cellules) {
        const auto it = lues.find(position);
        FUZZ_VERIFIE(it != lues.end() && it->second == valeur.texte());
    }
    return 0;
}
