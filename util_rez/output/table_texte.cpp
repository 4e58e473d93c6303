#include "util_rez/output/table_texte.h"

#include "util_rez/base/extrait.h"
#include "util_rez/base/texte.h"
#include "util_rez/target/texte_cible.h"

#include <algorithm>

namespace {

const QString runtime = QStringLiteral("Runtime");

bool est_enregistrement(const QString& nu) {
    return nu.startsWith(QLatin1Char('0'));
}

// A line without its quotes, as bytes in the file's encoding when its first and last bytes
// are ASCII (its characters past ASCII are then bytes past ASCII, none of them a blank, a
// point or a digit), as text otherwise.
struct LigneNue {
    QByteArrayView octets;
    QString texte;
    bool decodee = false;

    LigneNue(const LignesCible& lignes, qsizetype i) {
        const QByteArrayView o = lignes.octets_ligne(i);
        decodee = !o.isEmpty() && (!est_ascii(o.front()) || !est_ascii(o.back()));
        if (decodee)
            texte = enleve_guillemets(decode_ligne(o, lignes.codage()));
        else if (o.size() >= 2)
            octets = o.sliced(1, o.size() - 2);
    }
    bool enregistrement() const { return decodee ? est_enregistrement(texte) : octets.startsWith('0'); }
    bool contient_runtime() const { return decodee ? texte.contains(runtime) : octets.contains("Runtime"); }
    QByteArray code(Codage codage) const {
        return decodee ? encode_texte(texte, codage) : octets.toByteArray();
    }
    // The row of fields 1 to 7, TAB-separated, at the end of `o`.
    void ajoute_rangee(QByteArray& o, Codage codage, bool mode_virgule) const {
        const qsizetype debut = o.size();
        if (decodee) {
            o.append(encode_texte(ligne_table(texte), codage));
        } else {
            ChampsOctets champs(octets, u' ');
            o.append(champs.suivant());
            for (int n = 2; n <= 7; ++n)
                o.append('\t').append(champs.suivant());
        }
        if (mode_virgule) std::replace(o.begin() + debut, o.end(), '.', ',');
    }
};

} // namespace

QString ligne_table(QStringView texte) {
    Champs champs(texte, QLatin1Char(' '));
    QString r = champs.suivant().toString();
    for (int n = 2; n <= 7; ++n) {
        r += QLatin1Char('\t');
        r += champs.suivant();
    }
    return r;
}

QByteArray octets_table_texte(const LignesCible& lignes, const QStringList& commentaire, bool mode_virgule,
                              const std::function<void(qsizetype)>& avance) {
    const Codage codage = lignes.codage();
    QByteArray o;
    o.reserve(lignes.octets().size() + 4096);
    const auto fin_de_ligne = [&o] { o.append("\r\n"); };
    qsizetype titres = -1;
    constexpr qsizetype pas_avance = 1 << 16;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (avance && i % pas_avance == 0) avance(i);
        const LigneNue nu(lignes, i);
        const bool runtime_ici = nu.contient_runtime();
        if (!nu.enregistrement() && !runtime_ici) {
            o.append(nu.code(codage));
            fin_de_ligne();
        }
        if (runtime_ici && titres < 0 && i + 1 < lignes.size()) titres = i;
    }
    for (const QString& l : commentaire) {
        o.append(encode_texte(l, codage));
        fin_de_ligne();
    }
    fin_de_ligne();
    fin_de_ligne();
    if (titres >= 0) {
        LigneNue(lignes, titres).ajoute_rangee(o, codage, false);
        fin_de_ligne();
    }
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (avance && i % pas_avance == 0) avance(lignes.size() + i);
        const LigneNue nu(lignes, i);
        if (!nu.enregistrement()) continue;
        nu.ajoute_rangee(o, codage, mode_virgule);
        fin_de_ligne();
    }
    return o;
}
