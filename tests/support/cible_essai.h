#pragma once
#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Target files as a logger writes them, for the tests, the benches and the race writer: each
// line in double quotes, two header lines, the names line, the records, and once the run has
// ended "Stopped" and its summary. Only the fields a case cares about are set, e.g.
// CibleEssai{.enregistrements = 3, .arrete = true}.octets().
namespace aide_test {

struct CibleEssai {
    QString titre = QStringLiteral("Bench 3");
    QString operateur = QStringLiteral("Operator");
    QString noms = QStringLiteral("Runtime A B C D E F");
    // Records given as their text, then `enregistrements` made ones: record k at run time
    // depart + k * pas, followed by valeur(k, c) for the columns c = 2 to 7.
    QStringList donnees{};
    int enregistrements = 0;
    double depart = 0;
    double pas = 0.5;
    int largeur_temps = 8; // padded with zeros
    int decimales_temps = 2;
    std::function<double(int k, int c)> valeur = [](int k, int c) { return c == 2 ? 10 + k : c - 1; };
    int largeur = 0;    // padded with blanks
    int decimales = -1; // -1: as many as the value needs
    bool arrete = false;
    std::optional<QStringList> resume{}; // after "Stopped"; unset: "Count Summary" and the count
    QString inachevee{};                 // a last line still being written: no closing quote, no break
    QString marque{};                    // heading of a comment block after the run; null: none
    QStringList commentaire{};
    QByteArray fin = "\r\n";
    bool latin1 = false;
    bool bom = false;

    QStringList lignes() const {
        QStringList l = QStringList{titre, operateur, noms} + donnees;
        for (int k = 0; k < enregistrements; ++k)
            l << enregistrement(k);
        if (arrete)
            l << QStringLiteral("Stopped")
              << resume.value_or(QStringList{QStringLiteral("Count Summary"),
                                             QStringLiteral("n = %1").arg(donnees.size() + enregistrements)});
        for (QString& x : l)
            x = u'"' + x + u'"';
        if (!marque.isNull()) l << QString() << QStringLiteral("    ") + marque << commentaire;
        if (!inachevee.isNull()) l << u'"' + inachevee;
        return l;
    }
    QByteArray octets() const {
        QByteArray o = bom ? "\xEF\xBB\xBF" : "";
        o += code(lignes().join(QString::fromLatin1(fin)));
        return inachevee.isNull() ? o + fin : o;
    }
    // Records premier to premier + nombre - 1 as the logger appends them.
    QByteArray ajout(int premier, int nombre = 1) const {
        QByteArray o;
        for (int k = premier; k < premier + nombre; ++k)
            o += code(u'"' + enregistrement(k) + u'"') + fin;
        return o;
    }

  private:
    QString enregistrement(int k) const {
        QString l = nombre(depart + k * pas, decimales_temps).rightJustified(largeur_temps, u'0');
        for (int c = 2; c <= 7; ++c)
            l += u' ' + nombre(valeur(k, c), decimales).rightJustified(largeur, u' ');
        return l;
    }
    static QString nombre(double v, int decimales) {
        return QString::number(v, 'f', decimales < 0 ? QLocale::FloatingPointShortest : decimales);
    }
    QByteArray code(const QString& texte) const { return latin1 ? texte.toLatin1() : texte.toUtf8(); }
};

} // namespace aide_test
