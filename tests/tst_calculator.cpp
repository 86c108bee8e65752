#include "ScriptedPanel.h"
#include "panel/Form1.h"
#include "platform/Colors.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// Expected figures are written with "."; the panel writes the system's separator.
QStringList local(const QStringList& figures) {
    QStringList out;
    for (QString f : figures)
        out.append(f.replace(u'.', QLocale::system().decimalPoint()));
    return out;
}

QStringList results(const Form1Controls& c) {
    QStringList out;
    for (const QLineEdit* box : c.TxtResult)
        out.append(box->text());
    return out;
}

const quint32 Orange = Colors::Orange;
const quint32 Plain = Colors::ScrollBars;
const quint32 Window = Colors::WindowBackground;

} // namespace

class CalculatorTest : public QObject {
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void invalidNrKeepsItsColour_data();
    void invalidNrKeepsItsColour();
    void quickSetButtons();
    void sameTextRunsNothing();
    void readBackGoesThroughTheRegionalSeparator();
};

void CalculatorTest::figures_data() {
    QTest::addColumn<QString>("ns");
    QTest::addColumn<QString>("nr");
    QTest::addColumn<bool>("nsLast");
    QTest::addColumn<QStringList>("figures");
    QTest::addColumn<quint32>("fullColour");
    QTest::addColumn<quint32>("nrColour");

    QTest::newRow("16 8192") << "8192"
                             << "16" << false << QStringList{"256", "4096", "131072", "0", "0", "0"}
                             << Plain << Window;
    QTest::newRow("3 4096") << "4096"
                            << "3" << false
                            << QStringList{"1365.33333333333", "4095", "12288", "4096", "8192", "1"}
                            << Orange << Window;
    QTest::newRow("100 8192") << "8192"
                              << "100" << false
                              << QStringList{"40.96", "4000", "819200", "786432", "32768", "96"}
                              << Orange << Window;
    QTest::newRow("4096 8192") << "8192"
                               << "4096" << false
                               << QStringList{"1", "4096", "33554432", "0", "0", "0"} << Plain
                               << Window;
    QTest::newRow("4096.5 valid") << "4096"
                                  << "4096.5" << false
                                  << QStringList{"0.999877944586842", "0",    "16779264",
                                                 "16777216",          "2048", "4096"}
                                  << Orange << Window;
    QTest::newRow("NS empty") << ""
                              << "16" << false << QStringList{"256", "4096", "0", "0", "0", "0"}
                              << Plain << Window;
    QTest::newRow("trailing letters")
        << "8192"
        << "16abc" << false << QStringList{"256", "4096", "131072", "0", "0", "0"} << Plain
        << Window;
    QTest::newRow("negative NS") << "-5"
                                 << "3" << false
                                 << QStringList{"1365.33333333333", "4095", "-15", "-5", "0", "1"}
                                 << Orange << Window;
    QTest::newRow("5000 typed") << ""
                                << "5000" << false
                                << QStringList{"--", "--", "--", "--", "--", "4096"} << Orange
                                << Orange;
    QTest::newRow("NS after 5000")
        << "4096"
        << "5000" << true << QStringList{"0.8192", "0", "20480000", "16777216", "3702784", "4096"}
        << Orange << Orange;
    QTest::newRow("NS beyond doubles")
        << "1e308"
        << "16" << false << QStringList{"256", "4096", "Overflow", "0", "0", "0"} << Plain
        << Window;
    QTest::newRow("NR near zero") << "0"
                                  << "1e-320" << false
                                  << QStringList{"Overflow", "Overflow", "0", "0", "0", "4096"}
                                  << Orange << Window;
}

void CalculatorTest::figures() {
    QFETCH(QString, ns);
    QFETCH(QString, nr);
    QFETCH(bool, nsLast);
    QFETCH(QStringList, figures);
    ScriptedPanel rig;
    if (nsLast) {
        rig.c.TxtNR->setText(nr);
        rig.c.TxtNS->setText(ns);
    } else {
        rig.c.TxtNS->setText(ns);
        rig.c.TxtNR->setText(nr);
    }
    QCOMPARE(results(rig.c), local(figures));
    QTEST(Colors::backColor(rig.c.TxtResult[1]), "fullColour");
    QTEST(Colors::backColor(rig.c.TxtNR), "nrColour");
}

void CalculatorTest::invalidNrKeepsItsColour_data() {
    QTest::addColumn<QString>("nr");
    QTest::newRow("emptied") << "";
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-1";
    QTest::newRow("placeholder") << "--";
}

void CalculatorTest::invalidNrKeepsItsColour() {
    QFETCH(QString, nr);
    ScriptedPanel rig;
    rig.c.TxtNS->setText("8192");
    rig.c.TxtNR->setText("5000");
    rig.c.TxtNR->setText(nr);
    QCOMPARE(results(rig.c), (QStringList{"--", "--", "--", "--", "--", "4096"}));
    QCOMPARE(Colors::backColor(rig.c.TxtNR), Orange);
}

void CalculatorTest::quickSetButtons() {
    ScriptedPanel rig;
    rig.c.CmdNR1->click();
    rig.c.CmdNS4096->click();
    QCOMPARE(results(rig.c), (QStringList{"4096", "4096", "4096", "0", "0", "0"}));
    rig.c.CmdNR4096->click();
    rig.c.CmdNS8192->click();
    QCOMPARE(results(rig.c), (QStringList{"1", "4096", "33554432", "0", "0", "0"}));
}

void CalculatorTest::sameTextRunsNothing() {
    ScriptedPanel rig;
    rig.c.TxtNR->setText("16");
    QSignalSpy figure2(rig.c.TxtResult[2], &QLineEdit::textChanged);
    rig.c.CmdNS8192->click();
    rig.c.TxtResult[2]->setText("scribble"); // only a recompute would put it back
    rig.c.CmdNS8192->click();
    QCOMPARE(rig.c.TxtResult[2]->text(), QStringLiteral("scribble"));
    QCOMPARE(figure2.count(), 2);
}

void CalculatorTest::readBackGoesThroughTheRegionalSeparator() {
    if (QLocale::system().decimalPoint() != u",")
        QSKIP("needs a system locale with a decimal comma");
    ScriptedPanel rig;
    rig.c.TxtNS->setText("8192");
    rig.c.TxtNR->setText("0.3");
    QCOMPARE(rig.c.TxtResult[1]->text(), QStringLiteral("4095,9"));
    QCOMPARE(rig.c.TxtResult[5]->text(), QStringLiteral("1"));
    QCOMPARE(rig.c.TxtResult[3]->text(), QStringLiteral("8192"));
}

QTEST_MAIN(CalculatorTest)
#include "tst_calculator.moc"
