#include "util_rez/plot/page_imprimee.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QtTest>
#include <memory>

namespace {

const QSize a4(4960, 7015);

QStringList cible_avec_resume(int nb_lignes, int debut_resume) {
    QStringList l{"\"Bench 7\"", "\"Operator Alice\"", "\"Runtime A B\""};
    while (l.size() < nb_lignes)
        l.append(l.size() == debut_resume ? QStringLiteral("\"Count Summary\"")
                                          : QStringLiteral("\"%1 1 2\"").arg(l.size()));
    return l;
}

// Every printed text of one page with its row, in the order of the page.
QList<QPair<int, QString>> rangees(const MiseEnPage& m, int page) {
    QList<QPair<int, QString>> r;
    for (const LigneImprimee& l : m.lignes)
        if (l.page == page && l.horizontale == QLatin1Char('d')) r.append({l.ligne, l.texte});
    return r;
}

QStringList textes_suivis(const MiseEnPage& m) {
    QStringList t;
    for (int n = 0; n < m.nb_pages; ++n)
        for (const auto& [ligne, texte] : rangees(m, n))
            t.append(texte);
    return t;
}

int haut_a4() {
    const QFont f = police_page(false);
    return haut_du_trace(geometrie_page(a4, f, {5, 100, 5, 10}, QLatin1Char('.')), f);
}

} // namespace

class TestPageImprimee : public QObject {
    Q_OBJECT

  private slots:
    void geometrie_de_l_exemple() {
        const QRect apercu = rect_apercu(373, a4);
        QCOMPARE(apercu, QRect(20, 20, 248, 350));
        const GeometrieTrace g = geometrie_apercu(apercu.size());
        QCOMPARE(QList<int>({g.largeur_trace, g.hauteur_trace, g.origine_x, g.origine_y}),
                 QList<int>({124, 175, 62, 218}));
        QCOMPARE(unite_relative(g, 50), 6);
        QCOMPARE(QList<int>({g.decalage_etiquettes_x, g.ecart_etiquettes_y}), QList<int>({1, 20}));

        const QFont f = police_page(false);
        const GeometrieTrace p = geometrie_page(a4, f, {5, 100, 5, 10}, QLatin1Char('.'));
        QCOMPARE(QList<int>({p.largeur_trace, p.hauteur_trace, p.origine_x, p.origine_y}),
                 QList<int>({2480, 3507, 1240, 5699}));
        QCOMPARE(QList<int>({unite_relative(p, 10), unite_relative(p, 15), unite_relative(p, 20)}),
                 QList<int>({24, 37, 49}));
        // Labels keep clear of the ticks: x labels start under them, the widest y label ends
        // a tick length left of their ends.
        QCOMPARE(p.decalage_etiquettes_x, 25);
        const int fin_y = p.origine_x - p.ecart_etiquettes_y + QFontMetrics(f).horizontalAdvance("100") / 2;
        QVERIFY(fin_y <= p.origine_x - 2 * 24);
        QVERIFY(fin_y >= p.origine_x - 2 * 24 - 2);
    }

    void taille_du_papier_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("paysage");
        QTest::addColumn<QSize>("attendue");
        QTest::newRow("A4") << int(QPageSize::A4) << false << a4;
        QTest::newRow("A4 landscape") << int(QPageSize::A4) << true << QSize(7015, 4960);
        QTest::newRow("Letter") << int(QPageSize::Letter) << false << QSize(5100, 6600);
    }
    void taille_du_papier() {
        QFETCH(int, format);
        QFETCH(bool, paysage);
        QFETCH(QSize, attendue);
        const QPageLayout l(QPageSize(QPageSize::PageSizeId(format)),
                            paysage ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
        QCOMPARE(taille_page(l, resolution_page), attendue);
    }

    void cherche_ligne_data() {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<int>("indice");
        QTest::newRow("first of two") << QStringList{"a", "\"Count Summary\"", "Count Summary"} << 1;
        QTest::newRow("on line 1") << QStringList{"Count Summary of bench"} << 0;
        QTest::newRow("after a false start and past ASCII") << QStringList{"x", "Çount Count Summary"} << 1;
        QTest::newRow("other case") << QStringList{"count summary", "COUNT SUMMARY"} << -1;
        QTest::newRow("none") << QStringList{} << -1;
    }
    void cherche_ligne() {
        QFETCH(QStringList, lignes);
        QFETCH(int, indice);
        QCOMPARE(::cherche_ligne(lignes, "Count Summary"), indice);
    }

    void rangees_de_l_exemple() {
        QStringList cible = cible_avec_resume(41, 39);
        const TextesPage t = textes_page(QStringLiteral("C:\\runs\\run7.txt"), cible, {"one", "two", "three"},
                                         QStringLiteral("Comment"));
        QCOMPARE(t.nom, QStringLiteral("run7.txt"));
        QCOMPARE(t.suite, (QStringList{"one", "two", "three", "Count Summary", "40 1 2"}));
        const MiseEnPage m = met_en_page(t, a4, haut_a4());
        QCOMPARE(m.nb_pages, 1);
        const QList<QPair<int, QString>> attendues{
            {100, "run7.txt"}, {300, "Bench 7"}, {400, "Operator Alice"}, {500, "Runtime A B"},
            {700, "Comment"},  {800, "one"},     {900, "two"},            {1000, "three"},
            {1100, "Count Summary"}, {1200, "40 1 2"}};
        QCOMPARE(rangees(m, 0), attendues);
        QVERIFY(m.lignes.first().titre);
        QVERIFY(m.lignes[4].titre); // the comment's heading in bold
        QVERIFY(!m.lignes.last().titre);
        // Without a comment there is nothing to head.
        QVERIFY(textes_page("run.txt", cible, {}, QStringLiteral("Comment")).titre_commentaire.isEmpty());
        QCOMPARE(m.lignes.last().colonne, 500);
    }

    void textes_data() {
        QTest::addColumn<QStringList>("cible");
        QTest::addColumn<QStringList>("entete");
        QTest::addColumn<QStringList>("suite");
        QTest::newRow("summary on line 1")
            << QStringList{"\"Count Summary\"", "\"h2\"", "\"n\"", "\"Count Summary\""}
            << QStringList{"Count Summary", "h2", "n"} << QStringList{"note"};
        QTest::newRow("no summary") << QStringList{"\"h1\"", "\"h2\"", "\"n\"", "\"1 2\""}
                                    << QStringList{"h1", "h2", "n"} << QStringList{"note"};
        QTest::newRow("fewer than three lines")
            << QStringList{"\"only\""} << QStringList{"only", "", ""} << QStringList{"note"};
        QTest::newRow("unquoted line")
            << QStringList{"\"h1\"", "abc", "x"} << QStringList{"h1", "b", ""} << QStringList{"note"};
    }
    void textes() {
        QFETCH(QStringList, cible);
        QFETCH(QStringList, entete);
        QFETCH(QStringList, suite);
        const TextesPage t = textes_page(QStringLiteral("/data/run.txt"), cible, {"note"}, {});
        QCOMPARE(t.entete, entete);
        QCOMPARE(t.suite, suite);
    }

    void suite_trop_longue_sur_une_autre_page() {
        QStringList commentaire;
        for (int i = 1; i <= 100; ++i)
            commentaire.append(QStringLiteral("comment %1").arg(i));
        const TextesPage t = textes_page(QStringLiteral("run.txt"), cible_avec_resume(3, -1), commentaire, {});
        const int haut = haut_a4();
        QVERIFY(haut > 2000 && haut < 2200);
        const MiseEnPage m = met_en_page(t, a4, haut);
        QCOMPARE(m.nb_pages, 3);
        const QStringList attendus = QStringList{"run.txt", "Bench 7", "Operator Alice", "Runtime A B"} +
                                     commentaire.mid(0, 14) + QStringList{"run.txt"} +
                                     commentaire.mid(14, 62) + QStringList{"run.txt"} + commentaire.mid(76);
        QCOMPARE(textes_suivis(m), attendus);
        for (const LigneImprimee& l : m.lignes) {
            if (l.horizontale != QLatin1Char('d')) continue;
            QVERIFY2(l.ligne + 100 <= (l.page == 0 ? haut : a4.height() - 500), qPrintable(l.texte));
        }
        const QList<QPair<int, QString>> debut{{100, "run.txt"}, {300, "comment 15"}, {400, "comment 16"}};
        QCOMPARE(rangees(m, 1).mid(0, 3), debut);
        QStringList folios;
        for (const LigneImprimee& l : m.lignes)
            if (l.horizontale == QLatin1Char('c'))
                folios.append(QStringLiteral("%1@%2").arg(l.texte).arg(l.ligne));
        QCOMPARE(folios, (QStringList{"1/3@6715", "2/3@6715", "3/3@6715"}));
    }

    void ligne_trop_large_continue_dessous() {
        QStringList mots;
        for (int i = 0; i < 60; ++i)
            mots.append(QStringLiteral("word%1").arg(i));
        const QString longue = mots.join(QLatin1Char(' '));
        const TextesPage t =
            textes_page(QStringLiteral("run.txt"), QStringList{"\"" + longue + "\"", "\"h2\"", "\"n\""}, {"c"}, {});
        const MiseEnPage m = met_en_page(t, a4, haut_a4());
        const auto r = rangees(m, 0);
        QVERIFY(r.size() > 5);
        const QFontMetrics fm(police_page(false));
        QString recolle;
        int ligne = 300;
        for (qsizetype i = 1; i + 3 < r.size(); ++i) {
            QCOMPARE(r[i].first, ligne);
            QVERIFY(fm.horizontalAdvance(r[i].second.trimmed()) <= a4.width() - 1000);
            recolle += r[i].second;
            ligne += 100;
        }
        QCOMPARE(recolle, longue);
        QCOMPARE(r[r.size() - 3], qMakePair(ligne, QStringLiteral("h2")));
        QCOMPARE(r.last(), qMakePair(ligne + 300, QStringLiteral("c")));
    }

    // The checked curves' names in their colours, under the x labels, within the plot's width.
    void legende() {
        const QFont f = police_page(false);
        const GeometrieTrace g = geometrie_page(a4, f, {5, 100, 5, 10}, QLatin1Char('.'));
        DonneesTrace d;
        for (int k = 1; k <= 8; ++k) {
            d.noms[k] = QStringLiteral("Temperature %1").arg(k);
            d.coches[k] = k != 3;
            d.couleurs[k] = couleurs_courbes_depart[k];
        }
        const QList<EntreeLegende> l = legende_page(g, d, f);
        QCOMPARE(l.size(), 7);
        for (int i = 0; i < l.size(); ++i) {
            const QRect r(l[i].position, QFontMetrics(f).boundingRect(l[i].nom).size());
            QCOMPARE(l[i].nom, d.noms[i < 2 ? i + 1 : i + 2]);
            QCOMPARE(l[i].couleur, d.couleurs[i < 2 ? i + 1 : i + 2]);
            QVERIFY(r.top() > g.origine_y + g.decalage_etiquettes_x + f.pixelSize());
            QVERIFY(r.bottom() < a4.height() - colonne_textes);
            QVERIFY(r.left() >= g.origine_x && r.right() < g.origine_x + g.largeur_trace);
        }
        QVERIFY(l.last().position.y() > l.first().position.y()); // continued on another row
    }

    // On paper a zoomed curve stops at the axes' ends; the screen draws it to the picture's edge.
    void courbes_rognees_sur_papier() {
        auto t = std::make_unique<Tableau>();
        t->ajoute({0, 0, 0});
        t->ajoute({0, 10, 200});
        DonneesTrace d{{5, 100, 5, 10}, t.get(), 2, {false, true}, {QColor(), Qt::red}, "2", {}, QLatin1Char('.'), {}};
        const auto rouges_hors = [](const QImage& im, const QRect& zone) {
            int n = 0;
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x)
                    n += im.pixelColor(x, y) == Qt::red && !zone.contains(x, y);
            return n;
        };
        QImage apercu(248, 350, QImage::Format_RGB32), ecran(616, 469, QImage::Format_RGB32);
        trace_apercu(apercu, d);
        trace_ecran(ecran, d);
        QCOMPARE(rouges_hors(apercu, zone_courbes(geometrie_apercu(apercu.size()))), 0);
        QVERIFY(rouges_hors(apercu, QRect()) > 0);
        QVERIFY(rouges_hors(ecran, zone_courbes(geometrie_ecran(616, 469))) > 0);
    }

    // The same painting the printer gets, on a PDF written in memory.
    void pages_du_travail() {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter ecrivain(&pdf);
        ecrivain.setResolution(resolution_page);
        ecrivain.setPageSize(QPageSize(QPageSize::A4));
        ecrivain.setPageMargins({});
        QStringList commentaire;
        for (int i = 0; i < 20; ++i)
            commentaire.append(QStringLiteral("line %1").arg(i));
        {
            QPainter p(&ecrivain);
            trace_pages(p, ecrivain, a4, {{5, 100, 5, 10}, nullptr, 0, {}, {}, "2", {}, QLatin1Char('.'), {}},
                        textes_page("run.txt", {}, commentaire, {}));
        }
        QCOMPARE(pdf.data().count("/Type /Page\n") + pdf.data().count("/Type /Page\r"), 2);
    }
};

QTEST_MAIN(TestPageImprimee)
#include "test_page_imprimee.moc"
