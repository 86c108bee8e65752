#include "link/Numbers.h"

#include <QTest>
#include <cmath>

// Texts whose value lies beyond either end of the double range, however they spell it.
class NumbersTest : public QObject {
    Q_OBJECT
private slots:
    void readsBeyondTheDoubleRange_data();
    void readsBeyondTheDoubleRange();
};

void NumbersTest::readsBeyondTheDoubleRange_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("negative");
    const QString zeros400(400, u'0');
    QTest::newRow("400 zeros after the point") << "0." + zeros400 + "1"
                                               << "0" << false;
    QTest::newRow("tiny exponent") << "1e-400"
                                   << "0" << false;
    QTest::newRow("tiny negative keeps its sign") << "-1e-400"
                                                  << "0" << true;
    QTest::newRow("exponent digits beyond any integer") << "7e-99999999999999999999999"
                                                        << "0" << false;
    QTest::newRow("large exponent") << "1e400"
                                    << "Overflow" << false;
    QTest::newRow("large negative") << "-1e400"
                                    << "-Overflow" << true;
    QTest::newRow("800 zeros, negative exponent") << "1" + QString(800, u'0') + "e-300"
                                                  << "Overflow" << false;
    QTest::newRow("zeros after the point, large exponent") << "0." + zeros400 + "1e800"
                                                           << "Overflow" << false;
    QTest::newRow("400 zeros back in range") << "1" + zeros400 + "e-395"
                                             << "100000" << false;
}

void NumbersTest::readsBeyondTheDoubleRange() {
    QFETCH(QString, text);
    const double value = Numbers::leading(text);
    QTEST(Numbers::text(value), "written");
    QTEST(std::signbit(value), "negative");
}

QTEST_MAIN(NumbersTest)
#include "tst_numbers.moc"
