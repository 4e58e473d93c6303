#include "util_rez/output/ooxml/feuille_ooxml.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cctype>
#include <climits>

namespace {

// No spreadsheet has more: a sheet that names a row or a column beyond is no sheet.
constexpr int rangs_max = 1048576;
constexpr int colonnes_max = 16384;

bool hors_xml(char16_t c) {
    return (c < 0x20 && c != 9 && c != 10 && c != 13) || c == 0xFFFE || c == 0xFFFF;
}

bool ressemble_echappement(const QString& t, qsizetype i) {
    if (i + 7 > t.size() || t[i] != u'_' || t[i + 1] != u'x' || t[i + 6] != u'_')
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!std::isxdigit(t[k].unicode() < 128 ? t[k].toLatin1() : 'g'))
            return false;
    return true;
}

QString echappement(char16_t c) {
    return QStringLiteral("_x") + QString::number(uint(c), 16).rightJustified(4, u'0').toUpper() + u'_';
}

// XML cannot carry control characters; spreadsheet files write them as _xHHHH_, and a text
// that merely looks like such an escape gets its underscore escaped so it reads back unchanged.
QString texte_xml(const QString& t) {
    const bool simple = std::none_of(
        t.begin(), t.end(), [](QChar c) { return hors_xml(c.unicode()) || c == u'_' || c.isSurrogate(); });
    if (simple)
        return t;
    QString r;
    r.reserve(t.size() + 16);
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
            r += c;
            r += t[++i];
        } else if (hors_xml(c.unicode()) || c.isSurrogate()) {
            r += echappement(c.unicode());
        } else {
            r += ressemble_echappement(t, i) ? QStringLiteral("_x005F_") : QString(c);
        }
    }
    return r;
}

class Remplissage {
  public:
    Remplissage(const QByteArray& xml, const CellulesFeuille& cellules, QIODevice& sortie)
        : r_(xml), w_(&sortie), it_(cellules.begin()), fin_(cellules.end()), cellules_(cellules) {
        r_.setNamespaceProcessing(false);
    }
    bool execute();

  private:
    enum class Donnees { Avant, Dedans, Apres };
    void debut();
    void fin();
    void copie_debut(QStringView sauf = {});
    void ecrit_dimension();
    void ecrit_rangs_avant(int rang);
    void ecrit_cellules_avant(int rang, int colonne);
    void ecrit_valeur(const ValeurCellule& valeur);

    QXmlStreamReader r_;
    QXmlStreamWriter w_;
    CellulesFeuille::const_iterator it_, fin_;
    const CellulesFeuille& cellules_;
    Donnees donnees_ = Donnees::Avant;
    QString prefixe_;
    int profondeur_ = 0;
    int profondeur_donnees_ = 0;
    int rang_ = 0; // the row being copied, 0 outside a row
    int dernier_rang_ = 0;
    int colonne_ = 0;
    bool hors_feuille_ = false; // a row or a column beyond any sheet's
};

bool Remplissage::execute() {
    while (!r_.atEnd()) {
        switch (r_.readNext()) {
        case QXmlStreamReader::StartDocument:
            // A sheet without a declaration is told of by an empty version, which written out
            // would make the sheet no XML at all.
            if (r_.documentVersion().isEmpty()) break;
            if (r_.isStandaloneDocument())
                w_.writeStartDocument(r_.documentVersion().toString(), true);
            else
                w_.writeStartDocument(r_.documentVersion().toString());
            break;
        case QXmlStreamReader::StartElement:
            debut();
            break;
        case QXmlStreamReader::EndElement:
            fin();
            break;
        case QXmlStreamReader::Invalid:
        case QXmlStreamReader::EndDocument: // the writer would add a line break of its own
            break;
        default:
            w_.writeCurrentToken(r_);
        }
    }
    return !r_.hasError() && !w_.hasError() && donnees_ == Donnees::Apres && !hors_feuille_;
}

void Remplissage::debut() {
    const QStringView nom = nom_local(r_.qualifiedName());
    ++profondeur_;
    if (donnees_ != Donnees::Dedans) {
        if (donnees_ == Donnees::Avant && nom == u"sheetData") {
            donnees_ = Donnees::Dedans;
            profondeur_donnees_ = profondeur_;
            const QStringView q = r_.qualifiedName();
            prefixe_ = q.left(q.size() - nom.size()).toString();
        }
        if (donnees_ == Donnees::Avant && nom == u"dimension")
            ecrit_dimension();
        else
            copie_debut();
        return;
    }
    if (profondeur_ == profondeur_donnees_ + 1 && nom == u"row") {
        const qlonglong demande = r_.attributes().value(QLatin1String("r")).toLongLong();
        int n = demande > rangs_max ? rangs_max + 1 : int(demande);
        if (n <= dernier_rang_)
            n = dernier_rang_ + 1;
        if (n > rangs_max) {
            hors_feuille_ = true;
            r_.raiseError();
            return;
        }
        ecrit_rangs_avant(n);
        rang_ = dernier_rang_ = n;
        colonne_ = 0;
        // The spans hint would no longer cover the row's cells.
        copie_debut(it_ != fin_ && it_->first.first == n ? u"spans" : QStringView());
        return;
    }
    if (rang_ > 0 && profondeur_ == profondeur_donnees_ + 2 && nom == u"c") {
        int col = position_cellule(r_.attributes().value(QLatin1String("r"))).second;
        if (col <= colonne_)
            col = colonne_ + 1;
        if (col > colonnes_max) {
            hors_feuille_ = true;
            r_.raiseError();
            return;
        }
        ecrit_cellules_avant(rang_, col);
        colonne_ = col;
        if (it_ != fin_ && it_->first == std::make_pair(rang_, col)) {
            copie_debut(u"t");
            ecrit_valeur(it_->second);
            ++it_;
            r_.skipCurrentElement();
            w_.writeEndElement();
            --profondeur_;
            return;
        }
    }
    copie_debut();
}

void Remplissage::fin() {
    if (donnees_ == Donnees::Dedans) {
        if (rang_ > 0 && profondeur_ == profondeur_donnees_ + 1) {
            ecrit_cellules_avant(rang_, INT_MAX);
            rang_ = 0;
        } else if (profondeur_ == profondeur_donnees_) {
            ecrit_rangs_avant(INT_MAX);
            donnees_ = Donnees::Apres;
        }
    }
    w_.writeEndElement();
    --profondeur_;
}

void Remplissage::copie_debut(QStringView sauf) {
    w_.writeStartElement(r_.qualifiedName().toString());
    for (const auto& a : r_.attributes())
        if (sauf.isEmpty() || a.qualifiedName() != sauf)
            w_.writeAttribute(a.qualifiedName().toString(), a.value().toString());
}

void Remplissage::ecrit_dimension() {
    const QStringList bornes = r_.attributes().value(QLatin1String("ref")).toString().split(u':');
    auto haut = position_cellule(bornes.value(0));
    auto bas = position_cellule(bornes.value(bornes.size() - 1));
    for (const auto& [position, valeur] : cellules_) {
        if (valeur.vide())
            continue;
        if (haut.first == 0)
            haut = bas = position;
        haut = {std::min(haut.first, position.first), std::min(haut.second, position.second)};
        bas = {std::max(bas.first, position.first), std::max(bas.second, position.second)};
    }
    w_.writeStartElement(r_.qualifiedName().toString());
    for (const auto& a : r_.attributes()) {
        if (a.qualifiedName() != u"ref" || haut.first == 0)
            w_.writeAttribute(a.qualifiedName().toString(), a.value().toString());
        else if (haut == bas)
            w_.writeAttribute(QStringLiteral("ref"), nom_colonne(haut.second) + QString::number(haut.first));
        else
            w_.writeAttribute(QStringLiteral("ref"), nom_colonne(haut.second) + QString::number(haut.first) +
                                                         u':' + nom_colonne(bas.second) +
                                                         QString::number(bas.first));
    }
}

void Remplissage::ecrit_rangs_avant(int rang) {
    while (it_ != fin_ && it_->first.first < rang) {
        const int n = it_->first.first;
        const bool vide = std::all_of(it_, cellules_.lower_bound({n + 1, 0}),
                                      [](const auto& c) { return c.second.vide(); });
        if (!vide) {
            w_.writeStartElement(prefixe_ + QStringLiteral("row"));
            w_.writeAttribute(QStringLiteral("r"), QString::number(n));
        }
        ecrit_cellules_avant(n, INT_MAX);
        if (!vide)
            w_.writeEndElement();
    }
}

void Remplissage::ecrit_cellules_avant(int rang, int colonne) {
    for (; it_ != fin_ && it_->first.first == rang && it_->first.second < colonne; ++it_) {
        if (it_->second.vide())
            continue; // an empty text on a cell that does not exist leaves nothing
        w_.writeStartElement(prefixe_ + QStringLiteral("c"));
        w_.writeAttribute(QStringLiteral("r"), nom_colonne(it_->first.second) + QString::number(rang));
        ecrit_valeur(it_->second);
        w_.writeEndElement();
    }
}

void Remplissage::ecrit_valeur(const ValeurCellule& valeur) {
    if (valeur.est_nombre()) {
        w_.writeTextElement(prefixe_ + QStringLiteral("v"), valeur.nombre_xml());
        return;
    }
    const QString& texte = valeur.texte();
    if (texte.isEmpty())
        return;
    w_.writeAttribute(QStringLiteral("t"), QStringLiteral("inlineStr"));
    w_.writeStartElement(prefixe_ + QStringLiteral("is"));
    w_.writeStartElement(prefixe_ + QStringLiteral("t"));
    if (texte.front().isSpace() || texte.back().isSpace())
        w_.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    w_.writeCharacters(texte_xml(texte));
    w_.writeEndElement();
    w_.writeEndElement();
}

} // namespace

CellulesFeuille::CellulesFeuille(std::initializer_list<Cellule> cellules) {
    for (const Cellule& c : cellules)
        ecrit(c.first, c.second);
}

CellulesFeuille::Cellule CellulesFeuille::const_iterator::operator*() const {
    const Position p{it_->ligne, it_->colonne};
    if (it_->texte < 0) return {p, ValeurCellule(it_->nombre)};
    return {p, ValeurCellule((*textes_)[it_->texte])};
}

void CellulesFeuille::ecrit(Position p, const ValeurCellule& v) {
    Entree e{p.first, p.second, v.nombre(), -1};
    if (!v.est_nombre()) {
        e.texte = int(textes_.size());
        textes_.append(v.texte());
    }
    const auto avant = [](const Entree& x, Position q) { return std::make_pair(x.ligne, x.colonne) < q; };
    if (entrees_.empty() || avant(entrees_.back(), p)) {
        entrees_.push_back(e);
        return;
    }
    auto it = std::lower_bound(entrees_.begin(), entrees_.end(), p, avant);
    if (it->ligne == p.first && it->colonne == p.second)
        *it = e;
    else
        entrees_.insert(it, e);
}

CellulesFeuille::const_iterator CellulesFeuille::lower_bound(Position p) const {
    return {std::lower_bound(entrees_.begin(), entrees_.end(), p,
                             [](const Entree& x, Position q) { return std::make_pair(x.ligne, x.colonne) < q; }),
            &textes_};
}

bool remplit_feuille(const QByteArray& xml, const CellulesFeuille& cellules, QIODevice& sortie) {
    TamponEcriture tampon(sortie);
    return Remplissage(xml, cellules, tampon).execute() && tampon.vide();
}

QByteArray remplit_feuille(const QByteArray& xml, const CellulesFeuille& cellules) {
    QByteArray sortie;
    QBuffer b(&sortie);
    b.open(QIODevice::WriteOnly);
    return remplit_feuille(xml, cellules, b) ? sortie : QByteArray();
}

TamponEcriture::TamponEcriture(QIODevice& vers) : vers_(vers) {
    tampon_.reserve(taille_);
    open(QIODevice::WriteOnly);
}

bool TamponEcriture::vide() {
    ok_ = ok_ && vers_.write(tampon_) == tampon_.size();
    tampon_.resize(0);
    return ok_;
}

qint64 TamponEcriture::writeData(const char* donnees, qint64 n) {
    tampon_.append(donnees, n);
    if (tampon_.size() >= taille_) vide();
    return ok_ ? n : -1;
}

QString nom_colonne(int colonne) {
    QString n;
    for (; colonne > 0; colonne = (colonne - 1) / 26)
        n.prepend(QChar(u'A' + (colonne - 1) % 26));
    return n;
}

std::pair<int, int> position_cellule(QStringView reference) {
    int colonne = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i] >= u'A' && reference[i] <= u'Z' && colonne < 100000; ++i)
        colonne = colonne * 26 + (reference[i].unicode() - u'A' + 1);
    bool ok = false;
    const int ligne = reference.mid(i).toInt(&ok);
    if (!ok || colonne == 0 || ligne <= 0 || i == 0 || !reference[i].isDigit())
        return {0, 0};
    return {ligne, colonne};
}

QStringView nom_local(QStringView nom) {
    const qsizetype i = nom.lastIndexOf(u':');
    return i < 0 ? nom : nom.mid(i + 1);
}
