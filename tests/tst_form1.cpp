#include "ScriptedPort.h"
#include "panel/Form1.h"
#include "platform/Colors.h"
#include "platform/SettingsStore.h"
#include "settings/SetSeriale.h"

#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {
const QString Lead = QStringLiteral("Programmabile on COM   ");
const QString AtStart =
    QStringLiteral("         ---------------------------    BetaVersion   V3.2");
const QString AfterDialog =
    QStringLiteral("          ---------------------------    BetaVersion   V3.2");

void store(const QString& value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "QTX_Zintor", "QTX_Zintor");
    if (value.isNull())
        settings.remove("startup/PortaMem");
    else
        settings.setValue("startup/PortaMem", value);
}

QString stored() {
    return SettingsStore::GetSetting("QTX_Zintor", "startup", "PortaMem", "(none)");
}
} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheStoredPort_data();
    void startsOnTheStoredPort();
    void loadConfiguresTheClosedPort();
    void serialLineRebuildsTitleAndFlow();
    void closingStoresThePortAndEnds();
    void closingDuringAnExchangeEndsAtOnce();
    void closingDuringTheProbeStoresThePortInUse();
    void pressDuringTheProbeWaitsForIt();
};

void Form1Test::startsOnTheStoredPort_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("port");
    QTest::newRow("absent") << QString() << 1;
    QTest::newRow("zero") << "0" << 1;
    QTest::newRow("three") << "3" << 3;
    QTest::newRow("half to even") << "2.5" << 2;
    QTest::newRow("not a number") << "abc" << 1;
    QTest::newRow("beyond 16 bits") << "70000" << 1;
    QTest::newRow("no such port") << "300" << 1;
    QTest::newRow("negative") << "-4" << 1;
}

void Form1Test::startsOnTheStoredPort() {
    QFETCH(QString, value);
    QFETCH(int, port);
    store(value);
    ScriptedPort device;
    Form1 form(
        device, [] {}, &device);
    form.Form_Load();
    QCOMPARE(device.commPort(), port);
    QCOMPARE(form.windowTitle(), Lead + QString::number(port) + AtStart);
}

void Form1Test::loadConfiguresTheClosedPort() {
    store("2");
    ScriptedPort device;
    Form1 form(
        device, [] {}, &device);
    form.Form_Load();
    QCOMPARE(device.settings(), SerialPort::SafeSettings);
    QCOMPARE(device.handshaking(), 1);
    QVERIFY(!device.portOpen());
    QVERIFY(!form.timerRunning());
    QCOMPARE(form.FlussoMem(), Flow::None);
    for (QPushButton* button : form.controls().CmdPuls)
        QCOMPARE(Colors::backColor(button), Colors::ButtonFace);
}

void Form1Test::serialLineRebuildsTitleAndFlow() {
    store("4");
    ScriptedPort device;
    Form1 form(
        device, [] {}, &device);
    form.Form_Load();
    QTimer::singleShot(50, &form, [&] { form.dialog().hide(); });
    form.Command1_Click();
    QCOMPARE(form.windowTitle(), Lead + "4" + AfterDialog);
    QCOMPARE(form.FlussoMem(), Flow::XonXoff);
}

void Form1Test::closingStoresThePortAndEnds() {
    store("1");
    ScriptedPort device;
    int ended = 0;
    Form1 form(
        device, [&] { ++ended; }, &device);
    form.Form_Load();
    device.setCommPort(7);
    device.setPortOpen(true);
    form.close();
    QCOMPARE(stored(), QStringLiteral("7"));
    QVERIFY(!device.portOpen());
    QCOMPARE(ended, 1);
}

void Form1Test::closingDuringAnExchangeEndsAtOnce() {
    store("5");
    ScriptedPort device; // real waits: the close arrives from inside the exchange's wait
    device.script.reply = QStringLiteral("\r1\n>") + QChar(17);
    bool portOpenAtEnd = true;
    QString storedAtEnd;
    Form1 form(device, [&] {
        portOpenAtEnd = device.portOpen();
        storedAtEnd = stored();
    });
    form.Form_Load();
    form.show();
    QTimer::singleShot(80, &form, [&] { form.close(); });
    QString command = QStringLiteral("POS");
    form.Tx(command, Tipo::Position);
    QCOMPARE(storedAtEnd, QStringLiteral("5"));
    QVERIFY(!portOpenAtEnd);
}

void Form1Test::closingDuringTheProbeStoresThePortInUse() {
    store("5");
    ScriptedPort device;
    QString storedAtEnd;
    Form1 form(
        device, [&] { storedAtEnd = stored(); }, &device);
    form.Form_Load();
    QTimer::singleShot(0, &form, [&] { form.close(); }); // runs inside the probe
    form.dialog().Form_Load();
    QCOMPARE(storedAtEnd, QStringLiteral("5"));
}

void Form1Test::pressDuringTheProbeWaitsForIt() {
    store("5");
    ScriptedPort device;
    device.script.reply = QStringLiteral("\r\n>") + QChar(17);
    Form1 form(
        device, [] {}, &device);
    form.Form_Load();
    int portWhenSent = 0;
    device.onWait = [&] {
        if (!portWhenSent)
            portWhenSent = device.commPort();
    };
    QTimer::singleShot(0, &form, [&] { form.controls().command("ZERO")->click(); });
    form.dialog().Form_Load();
    QVERIFY(device.wire.isEmpty());
    QTRY_COMPARE(device.wire, QStringLiteral("|ZERO\r"));
    QCOMPARE(portWhenSent, 5);
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
