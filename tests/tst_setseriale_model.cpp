#include "DialogRig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

QString fields(const SetSeriale& d) {
    return QStringList{d.Velocita, d.Parita, d.BitDati, d.BitStop, QString::number(d.Flusso)}.join(
        u',');
}

} // namespace

class SetSerialeModelTest : public QObject {
    Q_OBJECT
private slots:
    void settaLoadsTheChoices_data();
    void settaLoadsTheChoices();
    void optionStoresItsValue_data();
    void optionStoresItsValue();
    void loadRestoresThePort_data();
    void loadRestoresThePort();
    void inputWaitsForTheProbe_data();
    void inputWaitsForTheProbe();
};

void SetSerialeModelTest::settaLoadsTheChoices_data() {
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<int>("earlierFlow");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("flow");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("fields");

    QTest::newRow("as the panel configures it")
        << "9600,n,8,1" << 1 << "9600,n,8,1" << 1
        << QStringList{"Baud96", "NoParity", "Data8", "Stop1", "XonFlow", "EchoOff"}
        << "9600,N,8,1,1";
    QTest::newRow("the other choices")
        << "9600,n,8,1" << 1 << "115200,E,7,2" << 3
        << QStringList{"Baud1152", "EvenParity", "Data7", "Stop2", "BothFlow", "EchoOff"}
        << "115200,E,7,2,3";
    QTest::newRow("odd, no flow") << "9600,n,8,1" << 1 << "300,o,8,1" << 0
                                  << QStringList{"Baud3", "OddParity", "Data8",
                                                 "Stop1", "NoFlow",    "EchoOff"}
                                  << "300,O,8,1,0";
    QTest::newRow("values without option keep the earlier ones")
        << "19200,o,7,2" << 2 << "57600,m,5,1.5" << 2
        << QStringList{"Baud192", "OddParity", "Data7", "Stop1", "RTSFlow", "EchoOff"}
        << "19200,O,7,1,2";
    QTest::newRow("no comma: only the rate")
        << "4800,e,7,2" << 0 << "9600" << 0
        << QStringList{"Baud96", "EvenParity", "Data7", "Stop2", "NoFlow", "EchoOff"}
        << "9600,E,7,2,0";
}

void SetSerialeModelTest::settaLoadsTheChoices() {
    QFETCH(QString, earlier);
    QFETCH(int, earlierFlow);
    QFETCH(QString, settings);
    QFETCH(int, flow);
    DialogRig rig;
    rig.port.setSettings(earlier);
    rig.port.setHandshaking(earlierFlow);
    rig.dialog.Setta(rig.port);
    rig.c.EchoOn->click(); // the next showing selects "Off" again
    rig.c.CancelButton->click();
    rig.port.setSettings(settings);
    rig.port.setHandshaking(flow);

    rig.dialog.Setta(rig.port);
    QVERIFY(rig.dialog.isVisible());
    QFETCH(QStringList, selected);
    QCOMPARE(rig.selectedOptions(), sorted(selected));
    QTEST(fields(rig.dialog), "fields");
}

void SetSerialeModelTest::optionStoresItsValue_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("fields");
    // Start: the port's "9600,n,8,1" with XON/XOFF.
    const QList<std::pair<const char*, const char*>> rows{
        {"Baud3", "300,N,8,1,1"},       {"Baud6", "600,N,8,1,1"},
        {"Baud12", "1200,N,8,1,1"},     {"Baud24", "2400,N,8,1,1"},
        {"Baud48", "4800,N,8,1,1"},     {"Baud96", "9600,N,8,1,1"},
        {"Baud192", "19200,N,8,1,1"},   {"Baud1152", "115200,N,8,1,1"},
        {"Data7", "9600,N,7,1,1"},      {"Data8", "9600,N,8,1,1"},
        {"Stop1", "9600,N,8,1,1"},      {"Stop2", "9600,N,8,2,1"},
        {"NoParity", "9600,N,8,1,1"},   {"OddParity", "9600,O,8,1,1"},
        {"EvenParity", "9600,E,8,1,1"}, {"NoFlow", "9600,N,8,1,0"},
        {"XonFlow", "9600,N,8,1,1"},    {"RTSFlow", "9600,N,8,1,2"},
        {"BothFlow", "9600,N,8,1,3"},   {"EchoOn", "9600,N,8,1,1"},
    };
    for (const auto& [option, result] : rows)
        QTest::newRow(option) << option << result;
}

void SetSerialeModelTest::optionStoresItsValue() {
    QFETCH(QString, option);
    DialogRig rig;
    rig.dialog.Setta(rig.port);
    rig.c.AdvButton->click();
    QTest::mouseClick(rig.option(option), Qt::LeftButton);
    QVERIFY(rig.option(option)->isChecked());
    QTEST(fields(rig.dialog), "fields");
}

void SetSerialeModelTest::loadRestoresThePort_data() {
    QTest::addColumn<bool>("open");
    QTest::newRow("closed") << false;
    QTest::newRow("open") << true;
}

void SetSerialeModelTest::loadRestoresThePort() {
    QFETCH(bool, open);
    DialogRig rig;
    rig.port.setCommPort(2);
    rig.port.setSettings("4800,e,7,2");
    if (open)
        rig.port.setPortOpen(true);
    rig.port.log.clear();

    rig.dialog.Setta(rig.port);
    QCOMPARE(rig.port.commPort(), 2);
    QCOMPARE(rig.port.portOpen(), open);
    QCOMPARE(rig.port.settings(), QStringLiteral("4800,e,7,2"));
    QStringList restore{"port 2", "settings 4800,e,7,2"};
    if (open)
        restore.append("open");
    QCOMPARE(rig.port.log.mid(rig.port.log.size() - restore.size()), restore);
    QCOMPARE(rig.port.log.first(), open ? QStringLiteral("close") : QStringLiteral("port 1"));
    // Found although it was open, and chosen.
    QCOMPARE(rig.c.ComPort[1]->text(), QStringLiteral("2"));
    QVERIFY(rig.c.ComPort[1]->isChecked());
    QCOMPARE(rig.c.Combo1->currentText(), QStringLiteral("2"));
    QCOMPARE(rig.dialog.NumPorta, qint16(2));
}

void SetSerialeModelTest::inputWaitsForTheProbe_data() {
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("visible");
    QTest::newRow("port button and OK") << 0 << 2 << false;
    QTest::newRow("double-click") << 1 << 2 << false;
    QTest::newRow("Cancel") << 2 << 3 << false;
}

// Input that arrives while the probe has the port on another number runs once the port is
// back on the number in use.
void SetSerialeModelTest::inputWaitsForTheProbe() {
    QFETCH(int, input);
    DialogRig rig;
    rig.port.setCommPort(3);
    rig.port.setPortOpen(true);
    bool running = false;
    int inUse = 0;
    int probed = 0;
    QTimer::singleShot(0, &rig.dialog, [&] {
        running = rig.dialog.loadRunning();
        inUse = rig.dialog.portInUse();
        probed = rig.port.commPort();
        if (input == 0) {
            QTest::mouseClick(rig.c.ComPort[1], Qt::LeftButton);
            QTest::mouseClick(rig.c.OKButton, Qt::LeftButton);
        } else if (input == 1) {
            DialogRig::doubleClick(rig.c.ComPort[1]);
        } else {
            QTest::mouseClick(rig.c.CancelButton, Qt::LeftButton);
        }
    });
    int finishedOn = 0;
    connect(&rig.dialog, &SetSeriale::loadFinished, &rig.dialog, [&] {
        QVERIFY(!rig.dialog.loadRunning());
        finishedOn = rig.port.commPort();
    });
    rig.port.log.clear();
    rig.dialog.Setta(rig.port);

    QVERIFY(running);
    QTEST(finishedOn, "number"); // the held input has run by then
    QCOMPARE(inUse, 3);
    QCOMPARE(probed, 1);
    QVERIFY(!rig.dialog.loadRunning());
    QTEST(rig.dialog.portInUse(), "number");
    QTEST(rig.dialog.isVisible(), "visible");
    QVERIFY(rig.port.portOpen());
    // The probe put the port back before anything else touched it.
    const qsizetype restored = rig.port.log.indexOf("settings 9600,n,8,1");
    QCOMPARE(rig.port.log.mid(restored - 1, 3),
             (QStringList{"port 3", "settings 9600,n,8,1", "open"}));
    QCOMPARE(rig.port.log.count("port 16"), 1);
}

QTEST_MAIN(SetSerialeModelTest)
#include "tst_setseriale_model.moc"
