#include "mesure.h"
#include "util_rez/output/ooxml/classeur_ooxml.h"
#include "util_rez/output/plan_tableur.h"
#include "util_rez/output/uno/tableur_uno.h"
#include "util_rez/target/remplit_tableau.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

const QString modele = QStringLiteral(LINTRACE_BIN_DIR "/Lintrace_.xl0");

// The plan with its rows made, so that the figures below time the writes alone.
struct Plan {
    QList<CelluleTableur> cellules;
    QList<QList<ValeurCellule>> bloc;
};

PlanTableur plan_5000(Tableau& t) {
    const aide_test::CibleEssai course = mesure::course_5000();
    DonneesTableur d;
    d.lignes = course.lignes();
    t.vide();
    for (int k = 1; k <= 5000; ++k) {
        std::array<double, nb_colonnes_lues + 1> v{0, course.depart + (k - 1) * course.pas};
        for (int c = 2; c <= 7; ++c)
            v[c] = course.valeur(k - 1, c);
        t.ajoute(v);
    }
    d.commentaire = {"bench run", "second line"};
    for (int k = 1; k <= 8; ++k)
        d.noms[k] = QStringLiteral("N%1").arg(k);
    d.tableau = &t;
    d.nb_enreg = 5000;
    d.virgule = true;
    return planifie_tableur(d);
}

double cpu_ms() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double maintenant_ms() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The office processes started on this profile.
QList<QString> processus_office(const QByteArray& profil) {
    QList<QString> r;
    QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString d = it.next();
        QFile env(d + QStringLiteral("/environ"));
        if (env.open(QIODevice::ReadOnly) && env.readAll().contains(profil))
            r << d;
    }
    return r;
}

// Their CPU time, user and system, from /proc.
double cpu_office_ms(const QByteArray& profil) {
    double total = 0;
    for (const QString& d : processus_office(profil)) {
        QFile stat(d + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        const QList<QByteArray> champs = s.mid(s.lastIndexOf(')') + 2).split(' ');
        total += (champs.value(11).toDouble() + champs.value(12).toDouble()) * 1e3 / sysconf(_SC_CLK_TCK);
    }
    return total;
}

void fin_des_offices(const QByteArray& profil) {
    for (int i = 0; i < 50 && !processus_office(profil).isEmpty(); ++i)
        QThread::msleep(200);
    for (const QString& d : processus_office(profil))
        ::kill(QFileInfo(d).fileName().toInt(), SIGKILL);
}

double mediane(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

void ecrit_plan(Tableur& t, const Plan& p) {
    for (const CelluleTableur& c : p.cellules)
        t.ecrit(c.ligne, c.colonne, c.texte);
    t.ecrit_bloc(PlanTableur::ligne_bloc, 1, p.bloc);
}

int banc_excel(const Plan& p, const QTemporaryDir& d) {
    std::vector<double> cpu, mur;
    const QString classeur = d.filePath(QStringLiteral("Lintrace_.xls"));
    for (int passe = 0; passe < 11; ++passe) {
        QFile::remove(classeur);
        QFile::copy(modele, classeur);
        const double c0 = cpu_ms(), m0 = maintenant_ms();
        ClasseurOoxml c(classeur);
        for (const CelluleTableur& x : p.cellules)
            c.ecrit(x.ligne, x.colonne, x.texte);
        for (qsizetype r = 0; r < p.bloc.size(); ++r)
            for (qsizetype k = 0; k < p.bloc[r].size(); ++k)
                c.ecrit(PlanTableur::ligne_bloc + int(r), 1 + int(k), p.bloc[r][k]);
        QString raison;
        if (!c.enregistre(classeur, raison)) qFatal("%s", qPrintable(raison));
        cpu.push_back(cpu_ms() - c0);
        mur.push_back(maintenant_ms() - m0);
    }
    std::printf("excel_workbook_5000: median %.1f ms CPU (%.1f ms wall), %lld bytes\n", mediane(cpu),
                mediane(mur), static_cast<long long>(QFileInfo(classeur).size()));
    return 0;
}

int banc_uno(const Plan& p, const QTemporaryDir& d) {
    QTemporaryDir profil_dossier;
    const QByteArray profil =
        QUrl::fromLocalFile(profil_dossier.path()).toString(QUrl::FullyEncoded).toUtf8();
    qputenv("UserInstallation", profil);
    TableurUno t;
    const double m_depart = maintenant_ms();
    t.connecte(false);
    std::printf("uno_connect: %.0f ms wall (office start-up, not part of the target)\n",
                maintenant_ms() - m_depart);
    std::vector<double> mur, mur_ouvert, cpu_soi, cpu_office;
    for (int passe = 0; passe < 5; ++passe) {
        const QString classeur = d.filePath(QStringLiteral("uno%1.xls").arg(passe));
        QFile::copy(modele, classeur);
        const double m0 = maintenant_ms();
        t.ouvre(classeur);
        const double m1 = maintenant_ms(), c0 = cpu_ms(), o0 = cpu_office_ms(profil);
        ecrit_plan(t, p);
        mur.push_back(maintenant_ms() - m1);
        mur_ouvert.push_back(maintenant_ms() - m0);
        cpu_soi.push_back(cpu_ms() - c0);
        cpu_office.push_back(cpu_office_ms(profil) - o0);
        t.ferme_document();
    }
    std::printf(
        "uno_5000_records: median %.0f ms wall (%.0f ms with the load), CPU %.0f ms here + %.0f ms in the "
        "office\n",
        mediane(mur), mediane(mur_ouvert), mediane(cpu_soi), mediane(cpu_office));
    // One cell per call, as a reference: 50 records.
    QFile::copy(modele, d.filePath(QStringLiteral("cells.xls")));
    t.ouvre(d.filePath(QStringLiteral("cells.xls")));
    const double m0 = maintenant_ms();
    for (int r = 0; r < 50; ++r)
        for (int k = 0; k < 9; ++k)
            t.ecrit(PlanTableur::ligne_bloc + r, 1 + k, p.bloc[r][k]);
    const double par_cellule = (maintenant_ms() - m0) / 450;
    std::printf("uno_cell_by_cell: %.2f ms a cell, %.1f s for 5000 records\n", par_cellule,
                par_cellule * 9 * 5000 / 1000);
    t.ferme_document();
    t.arrete_office();
    fin_des_offices(profil);
    return 0;
}

} // namespace

// A full sheet from a run of 3 000 000 records, as the window fills it: the plan and each call
// of 10 000 rows run on the window's thread, so the longest of them is what freezes it.
int feuille_pleine(const QTemporaryDir& d) {
    DonneesTableur donnees;
    donnees.lignes = LignesCible(mesure::octets_course_3m(), Codage::Utf8);
    auto tableau = std::make_unique<Tableau>();
    donnees.nb_enreg = remplit_tableau(donnees.lignes, *tableau).nb_enreg;
    donnees.tableau = tableau.get();
    const double avant = mesure::pic_memoire_mo();
    double t = cpu_ms();
    const PlanTableur plan = planifie_tableur(donnees);
    const double duree_plan = cpu_ms() - t;
    const QString classeur = d.filePath(QStringLiteral("plein.xls"));
    QFile::copy(modele, classeur);
    ClasseurOoxml c(classeur);
    for (const CelluleTableur& x : plan.cellules)
        c.ecrit(x.ligne, x.colonne, x.texte);
    double plus_long = 0;
    for (int r = 0; r < plan.nb_rangs(); r += 10000) {
        t = cpu_ms();
        const QList<QList<ValeurCellule>> rangs = plan.rangs(r, 10000);
        for (int i = 0; i < rangs.size(); ++i)
            for (int k = 0; k < rangs[i].size(); ++k)
                c.ecrit(PlanTableur::ligne_bloc + r + i, 1 + k, rangs[i][k]);
        plus_long = std::max(plus_long, cpu_ms() - t);
    }
    t = cpu_ms();
    QString raison;
    if (!c.enregistre(classeur, raison)) qFatal("%s", qPrintable(raison));
    std::printf("full_sheet_of_3000000_records: plan %.0f ms CPU, longest call of 10000 rows %.0f ms CPU, "
                "workbook written in %.0f ms CPU (%lld MB); peak %.0f MB, %.0f MB before the export\n",
                duree_plan, plus_long, cpu_ms() - t, static_cast<long long>(QFileInfo(classeur).size() >> 20),
                mesure::pic_memoire_mo(), avant);
    return 0;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "full") == 0) return feuille_pleine(QTemporaryDir());
    auto t = std::make_unique<Tableau>();
    const double c0 = cpu_ms();
    const PlanTableur plan = plan_5000(*t);
    const Plan p{plan.cellules, plan.rangs(0, plan.nb_rangs())};
    std::printf("plan_5000: %.1f ms CPU\n", cpu_ms() - c0);
    QTemporaryDir d;
    banc_excel(p, d);
    if (!uno_disponible()) {
        std::printf("uno_5000_records: not built (no LibreOffice SDK)\n");
        return 0;
    }
    try {
        return banc_uno(p, d);
    } catch (const ErreurTableur& e) {
        std::fprintf(stderr, "uno_5000_records: %s\n", qPrintable(e.texte()));
        return 1;
    }
}
