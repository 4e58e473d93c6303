#include "helpers.h"

#include "util_rez/config/langue.h"
#include "util_rez/files/fichier_texte.h"

#include <QtTest>

namespace {

const QStringList codes{"fr", "it", "en", "de"};

QStringList lignes(const QString& nom) {
    return lit_fichier_texte(QStringLiteral(LINTRACE_BIN_DIR) + QLatin1Char('/') + nom).lignes;
}

// What a line is, whatever the language: the help box wraps paragraphs itself.
QChar genre(const QString& l) {
    if (l.isEmpty()) return u' ';
    if (l.startsWith(QLatin1String("  "))) return u'e'; // example, shown as it stands
    if (l.startsWith(QLatin1String("- "))) return u'-';
    if (l == l.toUpper()) return u'T';
    return u'p';
}

QString forme(const QStringList& texte) {
    QString f;
    for (const QString& l : texte)
        f += genre(l);
    return f;
}

} // namespace

class TestAide : public QObject {
    Q_OBJECT
  private slots:
    // Line for line the same headings, paragraphs, list items and examples in every language.
    void aides_de_niveau() {
        const QStringList reference = lignes(QStringLiteral("Lintrace_help.en.txt"));
        for (const QString& code : codes) {
            const QStringList aide = lignes(QStringLiteral("Lintrace_help.%1.txt").arg(code));
            QCOMPARE(forme(aide), forme(reference));
            for (qsizetype i = 0; i < aide.size(); ++i)
                if (genre(aide[i]) == u'e' && !aide[i].contains(QLatin1Char('"')))
                    QVERIFY2(aide[i].startsWith(QLatin1String("  lintrace ")), qPrintable(aide[i]));
        }
    }

    // French puts a space before these marks that no line break may separate from them.
    void francais_espaces_insecables() {
        for (const QString& l : lignes(QStringLiteral("Lintrace_help.fr.txt")))
            QVERIFY2(!l.contains(QRegularExpression(QStringLiteral(" [:;?!]"))), qPrintable(l));
    }

    // The about panel's texts in every language, each entry at the place its number says.
    void textes_a_propos() {
        const qsizetype nombre = entrees_langue(lignes(fichier_langue_maitre), true).size();
        for (const QString& code : codes) {
            const QStringList e =
                entrees_langue(lignes(QStringLiteral("Lintrace_lng.%1.txt").arg(code)), true);
            QCOMPARE(e.size(), nombre);
            for (int n = 101; n <= 104; ++n)
                QVERIFY2(e[n - 1].startsWith(QString::number(n) + QLatin1Char(' ')) && e[n - 1].size() > 5,
                         qPrintable(e[n - 1]));
        }
    }

    // The help names the controls by the captions of its own language.
    void aide_cite_les_libelles_data() {
        QTest::addColumn<QString>("code");
        for (const QString& code : codes)
            QTest::newRow(qPrintable(code)) << code;
    }
    void aide_cite_les_libelles() {
        QFETCH(QString, code);
        TableLangue langue;
        langue.charge_maitre(lignes(QStringLiteral("Lintrace_lng.fr.txt")), false);
        langue.charge_surcouche(lignes(QStringLiteral("Lintrace_lng.%1.txt").arg(code)), false);
        const QString aide = lignes(QStringLiteral("Lintrace_help.%1.txt").arg(code)).join(QLatin1Char('\n'));
        for (int n :
             {1, 3, 4, 5, 6, 7, 8, 10, 13, 14, 15, 16, 21, 50, 51, 52, 53, 54, 55, 56, 57, 58, 66, 99}) {
            const QString libelle = langue.texte_message(n);
            QVERIFY2(aide.contains(libelle, Qt::CaseInsensitive),
                     qPrintable(QStringLiteral("%1 %2").arg(n).arg(libelle)));
        }
    }
};

QTEST_MAIN(TestAide)
#include "test_aide.moc"
