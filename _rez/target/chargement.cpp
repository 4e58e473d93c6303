#include "_rez/tform1.h"

#include "util_rez/fichier_cible.h"
#include "util_rez/texte.h"
#include "util_rez/texte_cible.h"

#include <QScrollBar>
#include <algorithm>

void TForm1::charge_fichier_dans_memo_et_affiche(const QString& chemin) {
    arrete = false;
    taille_cible = taille_fichier(chemin);
    age_cible = age_fichier(chemin);
    ++nb_chargements;
    const QString marque = coupe_espaces(texte_message(50)); // comment heading
    try {
        if (!charge_ajout(chemin, marque)) charge_complete(chemin, marque);
    } catch (const ErreurRez&) {
        lecture_cible_.oublie();
        lignes_chargees = QStringList();
        octets_cible = QByteArray();
        Memo1->lignes_changees(0);
        throw;
    }
    if (const auto& commentaire = lecture_cible_.commentaire()) montre_commentaire(*commentaire);

    Label3->setText(enleve_guillemets(lignes_chargees.value(0)));
    Label2->setText(enleve_guillemets(lignes_chargees.value(1)));
    const QString derniere = lignes_chargees.isEmpty() ? QString() : lignes_chargees.constLast();
    if (!derniere.isEmpty() && (derniere[0] == QLatin1Char('"') || derniere[0] == QLatin1Char('\'')))
        Label15->setText(enleve_guillemets(derniere));
    else
        Label15->clear();
    Label15->setToolTip(lecture_cible_.derniere_retenue() ? texte_message(71)
                                                          : QString()); // last line still being written
    applique_parse(lecture_cible_.parse());
    trace_graphe(QLatin1Char('E'));
}

// Only the bytes appended since the last load are split, decoded and parsed, once the file
// is seen to begin with every byte that load read.
bool TForm1::charge_ajout(const QString& chemin, const QString& marque) {
    if (!lecture_cible_.suit(chemin, marque) || !copies_intactes()) return false;
    const std::optional<QByteArray> ajout = lit_ajout(chemin, lecture_cible_.octets());
    if (!ajout) return false;
    // The window's copies share the loader's buffers: letting go of them first lets the lines
    // and bytes grow in place instead of being copied whole.
    lignes_chargees = QStringList();
    octets_cible = QByteArray();
    const bool fait = lecture_cible_.ajoute(*ajout, marque, *tableau);
    publie_chargement(fait ? lecture_cible_.premiere_changee() : lignes_chargees.size());
    return fait;
}

void TForm1::charge_complete(const QString& chemin, const QString& marque) {
    // The last load goes before the file is read, so that two files' worth never sit in memory.
    lecture_cible_.oublie();
    lignes_chargees = QStringList();
    octets_cible = QByteArray();
    Memo1->lignes_changees(0);
    lecture_cible_.charge(chemin, lit_octets(chemin), marque, *tableau);
    publie_chargement(0);
}

void TForm1::publie_chargement(qsizetype premiere_changee) {
    lignes_chargees = lecture_cible_.lignes();
    octets_cible = lecture_cible_.octets();
    codage_cible = lecture_cible_.codage();
    Memo1->lignes_changees(premiere_changee);
}

// Someone who changed the loaded lines or bytes since has taken them off the file they came
// from, and the next load cannot build on them. A copy that was merely detached by a
// non-const access still holds the same lines, which share their text with the loader's.
bool TForm1::copies_intactes() const {
    const QStringList& l = lecture_cible_.lignes();
    const QByteArray& o = lecture_cible_.octets();
    if (lignes_chargees.size() != l.size() || octets_cible.size() != o.size()) return false;
    const bool memes_lignes =
        lignes_chargees.constData() == l.constData() ||
        std::equal(l.cbegin(), l.cend(), lignes_chargees.cbegin(), [](const QString& a, const QString& b) {
            return a.constData() == b.constData() ? a.size() == b.size() : a == b;
        });
    return memes_lignes && (octets_cible.constData() == o.constData() || octets_cible == o);
}

void TForm1::extrait_commentaire(QStringList& lignes) {
    if (const std::optional<QStringList> c =
            coupe_commentaire(lignes, coupe_espaces(texte_message(50)))) // comment heading
        montre_commentaire(*c);
}

void TForm1::montre_commentaire(const QStringList& lignes) {
    Memo3->setPlainText(lignes.join(QLatin1Char('\n')));
    Memo3->verticalScrollBar()->setValue(0);
}
