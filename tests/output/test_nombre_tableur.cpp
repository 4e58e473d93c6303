#include "util_rez/output/nombre_tableur.h"

#include <QtTest>
#include <limits>

class TestNombreTableur : public QObject {
    Q_OBJECT
  private slots:
    void format_data() {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<QString>("point");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero has no sign") << -0.0 << "0";
        QTest::newRow("whole number") << 42.0 << "42";
        QTest::newRow("below one") << 0.5 << "0.5";
        QTest::newRow("smallest fixed") << 0.0001 << "0.0001";
        QTest::newRow("just below it") << 0.00001 << "1E-5";
        QTest::newRow("scientific without fraction") << 5e-5 << "5E-5";
        QTest::newRow("negative small") << -0.000012345 << "-1.2345E-5";
        QTest::newRow("large") << 1.5e20 << "1.5E20";
        QTest::newRow("18 integer digits") << 123456789012345678.0 << "1.23456789012346E17";
        QTest::newRow("15 integer digits stay fixed") << 999999999999999.0 << "999999999999999";
        QTest::newRow("rounding up to 16 digits") << 999999999999999.9 << "1E15";
        QTest::newRow("15 significant digits") << 3.14159265358979323 << "3.14159265358979";
        QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << "0.3";
        QTest::newRow("negative") << -20.25 << "-20.25";
        QTest::newRow("trailing zeros of the integer part") << 1200.0 << "1200";
        QTest::newRow("small fixed with zeros") << 0.000123 << "0.000123";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "NAN";
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << "-INF";
    }
    void format() {
        QFETCH(double, valeur);
        QFETCH(QString, point);
        QCOMPARE(nombre_tableur(valeur, false), point);
        QCOMPARE(nombre_tableur(valeur, true), QString(point).replace(u'.', u','));
    }
};

QTEST_APPLESS_MAIN(TestNombreTableur)
#include "test_nombre_tableur.moc"
