// The export writers over any target text: the table export, one row per record line of
// exactly seven fields, and the spreadsheet's number format, which reads back as the value
// to its fifteen digits.
#include "commun.h"
#include "util_rez/base/texte.h"
#include "util_rez/files/fichier_texte.h"
#include "util_rez/output/nombre_tableur.h"
#include "util_rez/output/plan_tableur.h"
#include "util_rez/output/table_texte.h"
#include "util_rez/target/lignes_cible.h"
#include "util_rez/target/remplit_tableau.h"
#include "util_rez/target/texte_cible.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace {

void verifie_nombre(double v, bool virgule) {
    const QString t = nombre_tableur(v, virgule);
    FUZZ_VERIFIE(!t.contains(virgule ? u'.' : u','));
    // Fifteen digits of the largest reals round past the largest real: no read-back there.
    if (!std::isfinite(v) || std::fabs(v) > 1.79769313486231e308) return;
    bool ok = false;
    const double relu = QString(t).replace(u',', u'.').toDouble(&ok);
    FUZZ_VERIFIE(ok);
    FUZZ_VERIFIE(relu == v || std::fabs(relu - v) <= std::fabs(v) * 1e-14);
    // An exponent only below 0.0001 or from 15 integer digits on, as the value reads rounded.
    QString nu = QString(t).replace(u',', u'.');
    if (nu.startsWith(u'-')) nu.remove(0, 1);
    if (nu.contains(u'E')) {
        const int e = nu.sliced(nu.indexOf(u'E') + 1).toInt();
        FUZZ_VERIFIE(e < -4 || e >= 15);
    } else {
        const qsizetype point = nu.indexOf(u'.');
        const QString entiere = point < 0 ? nu : nu.first(point);
        FUZZ_VERIFIE(entiere.size() <= 15);
        if (entiere == u"0" && point >= 0) {
            const QString fraction = nu.sliced(point + 1);
            qsizetype zeros = 0;
            while (zeros < fraction.size() && fraction[zeros] == u'0')
                ++zeros;
            FUZZ_VERIFIE(zeros <= 3);
        }
    }
}

// The table export written out once more over the decoded lines, a string per line.
QStringList table_en_texte(const QStringList& lignes, const QStringList& commentaire, bool virgule) {
    const QString runtime = QStringLiteral("Runtime");
    QStringList nus;
    for (const QString& l : lignes)
        nus.append(enleve_guillemets(l));
    QStringList table;
    for (const QString& nu : nus)
        if (!nu.startsWith(u'0') && !nu.contains(runtime)) table.append(nu);
    table += commentaire;
    table << QString() << QString();
    for (qsizetype i = 0; i + 1 < nus.size(); ++i)
        if (nus[i].contains(runtime)) {
            table.append(ligne_table(nus[i]));
            break;
        }
    for (const QString& nu : nus)
        if (nu.startsWith(u'0'))
            table.append(virgule ? ligne_table(nu).replace(u'.', u',') : ligne_table(nu));
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t taille) {
    const QByteArray b = fuzz::octets(data, taille);
    for (size_t i = 0; i + sizeof(double) <= taille && i < 64; i += sizeof(double)) {
        double v;
        std::memcpy(&v, data + i, sizeof v);
        verifie_nombre(v, true);
        verifie_nombre(v, false);
    }

    Codage codage;
    const auto [texte, commentaire] = fuzz::coupe_en_deux(b);
    const QStringList lignes = coupe_lignes(decode_octets(texte, codage));
    const QStringList lignes_commentaire = coupe_lignes(decode_octets(commentaire, codage));
    const bool virgule = taille > 0 && (data[0] & 1);
    const QStringList table = table_en_texte(lignes, lignes_commentaire, virgule);
    // The lines that are no records, the comment and two empty lines stand before the rows.
    FUZZ_VERIFIE(table.size() >= lignes_commentaire.size() + 2);
    // Written from the lines' bytes, the table is the text's, encoded as the file is.
    const Codage codage_texte = codage_octets(texte);
    const LignesCible en_octets(texte, codage_texte);
    if (en_octets.mid(0) == lignes)
        FUZZ_VERIFIE(octets_table_texte(en_octets, lignes_commentaire, virgule) ==
                     encode_lignes(table, codage_texte));
    for (const QString& l : lignes)
        if (!l.contains(u'\t')) FUZZ_VERIFIE(ligne_table(l).count(u'\t') == 6);

    static auto tableau = std::make_unique<Tableau>();
    const ResultatParse r = remplit_tableau(lignes, *tableau);
    DonneesTableur d;
    d.lignes = lignes;
    d.commentaire = lignes_commentaire;
    d.noms = r.noms;
    d.tableau = tableau.get();
    d.nb_enreg = r.nb_enreg;
    d.virgule = virgule;
    const PlanTableur plan = planifie_tableur(d);
    FUZZ_VERIFIE(plan.nb_rangs() == r.nb_enreg);
    for (const auto& rang : plan.rangs(0, plan.nb_rangs()))
        FUZZ_VERIFIE(rang.size() == 9);
    for (const CelluleTableur& c : plan.cellules)
        FUZZ_VERIFIE(c.ligne >= 1 && c.colonne >= 1);
    return 0;
}
