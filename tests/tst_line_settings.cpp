#include "settings/LineReading.h"

#include <QTest>

class LineSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void readsByPosition_data();
    void readsByPosition();
};

void LineSettingsTest::readsByPosition_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("baud");
    QTest::addColumn<QString>("parity");
    QTest::addColumn<int>("dataBits");
    QTest::addColumn<int>("stopBits");

    QTest::newRow("as configured") << "9600,n,8,1" << 9600.0 << "N" << 8 << 1;
    QTest::newRow("upper case") << "115200,E,7,2" << 115200.0 << "E" << 7 << 2;
    QTest::newRow("odd") << "300,o,8,1" << 300.0 << "O" << 8 << 1;
    QTest::newRow("parity stays one character") << "9600,ß,8,1" << 9600.0 << "ß" << 8 << 1;
    QTest::newRow("rate without option") << "57600,N,8,1" << 57600.0 << "N" << 8 << 1;
    QTest::newRow("one and a half reads 1") << "2400,n,8,1.5" << 2400.0 << "N" << 8 << 1;
    QTest::newRow("two-digit field shifts") << "9600,n,10,1" << 9600.0 << "N" << 1 << 0;
    QTest::newRow("blank shifts every field") << "9600, n,8,1" << 9600.0 << " " << 0 << 0;
    QTest::newRow("blanks inside the rate") << " 96 00,n,8,1" << 9600.0 << "N" << 8 << 1;
    QTest::newRow("rate in exponent form") << "1.2e3,n,8,1" << 1200.0 << "N" << 8 << 1;
    QTest::newRow("rate with a fraction") << "9600.5,n,8,1" << 9600.5 << "N" << 8 << 1;
    QTest::newRow("rate not a number") << "fast,n,8,1" << 0.0 << "N" << 8 << 1;
    QTest::newRow("no rate") << ",n,8,1" << 0.0 << "N" << 8 << 1;
    QTest::newRow("short") << "9600,n,8" << 9600.0 << "N" << 8 << 0;
    QTest::newRow("ends at the comma") << "9600," << 9600.0 << "" << 0 << 0;
    QTest::newRow("no comma") << "9600" << 9600.0 << "" << 0 << 0;
    QTest::newRow("no comma, no number") << "n81" << 0.0 << "" << 0 << 0;
    QTest::newRow("empty") << "" << 0.0 << "" << 0 << 0;
}

void LineSettingsTest::readsByPosition() {
    QFETCH(QString, text);
    const LineReading line = LineReading::read(text);
    QTEST(line.baud, "baud");
    QTEST(line.parity, "parity");
    QTEST(line.dataBits, "dataBits");
    QTEST(line.stopBits, "stopBits");
}

QTEST_APPLESS_MAIN(LineSettingsTest)
#include "tst_line_settings.moc"
