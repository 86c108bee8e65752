#include "LockFiles.h"
#include "MessageCatcher.h"
#include "SimulatedCom1.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"
#include "platform/SettingsStore.h"
#include "platform/StopSignals.h"

#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <csignal>

namespace {

QString storedPort() {
    return SettingsStore::GetSetting(Form1::Application, "startup", "PortaMem", "none");
}

// The child starts with the stop signals blocked, so one sent at once waits until the
// program takes them instead of killing it on its way up.
void blockStops() {
    sigset_t stops;
    sigemptyset(&stops);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaddset(&stops, signal);
    sigprocmask(SIG_BLOCK, &stops, nullptr);
}

} // namespace

class StopSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void sigtermDuringPollingClosesAndStores();
    void theProgramEndsAsClosingDoes_data();
    void theProgramEndsAsClosingDoes();
    void simulatorRemovesItsLink_data();
    void simulatorRemovesItsLink();
};

void StopSignalsTest::sigtermDuringPollingClosesAndStores() {
    SimulatedCom1 line({}, "com1-polled");
    QtSerialPort port;
    MessageCatcher catcher; // the poll that goes on in this test finds the port closed
    struct {
        bool polling = false, exchanging = false, open = true, locked = true;
        QString stored;
    } atEnd;
    Form1 form(port, [&] {
        const Form1Controls& c = form.controls();
        atEnd = {c.ChkCont->isChecked(), !c.LblTx->isHidden() || !c.LblRx->isHidden(),
                 port.portOpen(), lockFileFor(line.link()), storedPort()};
        form.controls().ChkCont->setChecked(false);
    });
    StopSignals stops([&form] { form.Form_QueryUnload(); });
    form.Form_Load();
    form.show();
    bool lockedBefore = false;
    QTimer::singleShot(500, [&] { // amid the second exchange
        lockedBefore = lockFileFor(line.link());
        std::raise(SIGTERM);
    });
    QTest::mouseClick(form.controls().ChkCont, Qt::LeftButton);
    QVERIFY(lockedBefore);
    QVERIFY(atEnd.polling);
    QVERIFY(atEnd.exchanging);
    QVERIFY(!atEnd.open);
    QVERIFY(!atEnd.locked);
    QCOMPARE(atEnd.stored, QStringLiteral("1"));
}

void StopSignalsTest::theProgramEndsAsClosingDoes_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("log-out") << int(SIGHUP);
    QTest::newRow("shutdown") << int(SIGTERM);
    QTest::newRow("Ctrl+C") << int(SIGINT);
}

void StopSignalsTest::theProgramEndsAsClosingDoes() {
    QFETCH(int, signal);
    SimulatedCom1 line({}, "com1-signalled"); // probed at start-up; the rest lead nowhere
    QSettings(line.path("config/QTX_Zintor/QTX_Zintor.conf"), QSettings::IniFormat)
        .setValue("startup/PortaMem", "0"); // read as port 1
    QProcess zintor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    zintor.setProcessEnvironment(environment);
    zintor.setChildProcessModifier(blockStops);
    zintor.start(QStringLiteral(ZINTOR_PATH), {});
    QVERIFY(zintor.waitForStarted());
    ::kill(pid_t(zintor.processId()), signal);
    const bool ended = zintor.waitForFinished(10000);
    if (!ended)
        zintor.kill();
    QVERIFY(ended);
    QCOMPARE(zintor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(zintor.exitCode(), 0);
    QCOMPARE(QSettings(line.path("config/QTX_Zintor/QTX_Zintor.conf"), QSettings::IniFormat)
                 .value("startup/PortaMem"),
             QVariant("1"));
    QVERIFY(!lockFileFor(line.link()));
}

void StopSignalsTest::simulatorRemovesItsLink_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void StopSignalsTest::simulatorRemovesItsLink() {
    QFETCH(int, signal);
    QTemporaryDir folder;
    const QString link = folder.filePath("com1");
    QProcess simulator;
    simulator.start(qEnvironmentVariable("ENCODER_SIM"), {"--link", link});
    QVERIFY(simulator.waitForReadyRead(5000)); // the terminal's path, once the link is made
    QVERIFY(QFileInfo(link).isSymLink());
    ::kill(pid_t(simulator.processId()), signal);
    QVERIFY(simulator.waitForFinished(5000));
    QCOMPARE(simulator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(simulator.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_MAIN(StopSignalsTest)
#include "tst_stop_signals.moc"
