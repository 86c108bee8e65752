#include "LockFiles.h"
#include "SimulatedPorts.h"
#include "service/ExchangeLog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

// The companion with COM1 to COM16 leading to the simulated ports.
class Ports : public SimulatedPorts {
public:
    void start(QProcess& cli, const QStringList& arguments) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        map(env);
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(ZINTOR_CLI_PATH), QStringList{"find"} + arguments);
        QVERIFY(cli.waitForStarted());
    }
    // The exit status and standard output.
    std::pair<int, QString> run(const QStringList& arguments) const {
        QProcess cli;
        start(cli, arguments);
        cli.waitForFinished(60000);
        return {cli.exitCode(), QString::fromLocal8Bit(cli.readAllStandardOutput())};
    }
};

const QStringList Silent{"--no-echo", "--silent"};

QString lineOf(const QString& out, int com) {
    for (const QString& line : out.split(u'\n'))
        if (line.startsWith(QStringLiteral("COM%1  ").arg(com)))
            return line;
    return {};
}

} // namespace

class FindCliTest : public QObject {
    Q_OBJECT
private slots:
    void findsTheEncoderAmongSixteenPorts();
    void eachOutcomeHasItsStatus_data();
    void eachOutcomeHasItsStatus();
    void aMuteDeviceIsToldAtItsFirstEcho_data();
    void aMuteDeviceIsToldAtItsFirstEcho();
    void ctrlCStopsEveryPortAndLeavesNoLock();
    void usageErrors_data();
    void usageErrors();
    void logHoldsEveryTry();
};

// An encoder left at 19200,O,8,1 on COM7, one that refuses POS on COM3, nothing attached
// to COM5 and COM9, COM12 in another program's hands; the other numbers lead nowhere.
void FindCliTest::findsTheEncoderAmongSixteenPorts() {
    Ports ports;
    ports.attach(7, {"--line", "19200,o,8,1"});
    ports.attach(3, {"--refuse", "POS"});
    ports.attach(5, Silent);
    ports.attach(9, Silent);
    ports.attach(12, {});
    QSerialPort other;
    other.setPortName(ports.link(12));
    QVERIFY(other.open(QIODevice::ReadWrite));

    const auto [status, out] = ports.run({});
    QCOMPARE(status, 0);
    QVERIFY2(lineOf(out, 7).startsWith("COM7  found at 19200,O,8,1, position "), qPrintable(out));
    QVERIFY2(lineOf(out, 7).endsWith("(9 settings tried)  device " + ports.link(7)),
             qPrintable(out));
    QCOMPARE(lineOf(out, 3),
             "COM3  answers at 9600,n,8,1, but refuses POS: \"\\r\\n!?\"  device " + ports.link(3));
    QCOMPARE(lineOf(out, 5), "COM5  no answer (48 settings tried)  device " + ports.link(5));
    QVERIFY2(lineOf(out, 12).contains("in use by another program"), qPrintable(out));
    QCOMPARE(out.count(u'\n'), 6); // five ports and the summary: missing devices are left out
    QVERIFY2(out.endsWith("1 encoder found: COM7 at 19200,O,8,1\n"), qPrintable(out));
    // Only POS went out; the tries at other settings ended at the "|".
    for (const int com : {3, 5, 7, 9}) {
        QByteArray rest = ports.received(com);
        rest.replace("|POS\r", "");
        QCOMPARE(rest.count('|'), rest.size());
    }
    QCOMPARE(ports.received(7).count("|POS\r"), 1);
    QCOMPARE(ports.received(12), QByteArray());
}

void FindCliTest::eachOutcomeHasItsStatus_data() {
    QTest::addColumn<QStringList>("encoder");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("result");
    QTest::newRow("found") << QStringList{"--line", "115200,n,8,1"} << 0 << "found";
    QTest::newRow("refuses") << QStringList{"--refuse", "POS"} << 1 << "refuses";
    // A rate the search does not offer: every try meets other bytes.
    QTest::newRow("settings not offered")
        << QStringList{"--line", "38400,n,8,1"} << 1 << "no answer";
    QTest::newRow("nothing attached") << Silent << 1 << "no answer";
    // The settings are right at the first try: they are told, and no other is tried.
    QTest::newRow("echoes, never answers") << QStringList{"--silent"} << 1 << "silent";
    QTest::newRow("not there") << QStringList() << 3 << "cannot open";
}

void FindCliTest::eachOutcomeHasItsStatus() {
    QFETCH(QStringList, encoder);
    QFETCH(int, status);
    QFETCH(QString, result);
    Ports ports;
    if (!encoder.isEmpty())
        ports.attach(4, encoder);
    const auto [exit, out] = ports.run({"--port", "4", "--json"});
    QCOMPARE(exit, status);
    const QJsonObject document = QJsonDocument::fromJson(out.toUtf8()).object();
    QCOMPARE(document["status"].toInt(), status);
    const QJsonArray found = document["ports"].toArray();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0]["port"].toString(), "COM4");
    QCOMPARE(found[0]["result"].toString(), result);
    if (result == "found")
        QCOMPARE(found[0]["settings"].toString(), "115200,N,8,1");
    if (result == "no answer")
        QCOMPARE(found[0]["tries"].toInt(), 48);
    if (result == "silent") {
        QCOMPARE(found[0]["settings"].toString(), "9600,n,8,1");
        QCOMPARE(found[0]["tries"].toInt(), 1);
    }
}

// A device that echoes and never answers is told at the settings where its echo is right,
// after one try there, not after a wait at every setting.
void FindCliTest::aMuteDeviceIsToldAtItsFirstEcho_data() {
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<int>("tries");
    QTest::newRow("at the settings tried first") << QStringList{"--silent"} << "9600,n,8,1" << 1;
    QTest::newRow("at the ninth") << QStringList{"--silent", "--line", "19200,o,8,1"}
                                  << "19200,O,8,1" << 9;
}

void FindCliTest::aMuteDeviceIsToldAtItsFirstEcho() {
    QFETCH(QStringList, device);
    QFETCH(QString, settings);
    QFETCH(int, tries);
    Ports ports;
    ports.attach(4, device);
    QTemporaryDir dir;
    const QString log = dir.filePath("find.tsv");
    const auto [status, out] = ports.run({"--port", "4", "--log", log});
    QCOMPARE(status, 1);
    QCOMPARE(lineOf(out, 4),
             "COM4  echoes at " + settings + " but does not answer POS  device " + ports.link(4));
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    lines.removeFirst();
    QCOMPARE(lines.size(), tries);
    const int ms = lines.last().section(u'\t', 9, 9).toInt();
    QVERIFY2(ms <= 1500, qPrintable(QString::number(ms)));
}

void FindCliTest::ctrlCStopsEveryPortAndLeavesNoLock() {
    Ports ports;
    for (int com = 1; com <= 16; ++com)
        ports.attach(com, Silent);
    QProcess cli;
    ports.start(cli, {});
    QTest::qWait(600); // a dozen tries into the 48 of each port
    QVERIFY(lockFileFor(ports.link(1)));
    ::kill(pid_t(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 130);
    const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    QCOMPARE(out.count(QStringLiteral(" stopped (")), 16);
    QVERIFY2(out.endsWith("stopped by Ctrl+C; no encoder found on 16 ports\n"), qPrintable(out));
    for (int com = 1; com <= 16; ++com)
        QVERIFY2(!lockFileFor(ports.link(com)), qPrintable(ports.link(com)));
}

void FindCliTest::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("an argument") << QStringList{"POS"};
    QTest::newRow("--trace") << QStringList{"--trace"};
    QTest::newRow("--watch") << QStringList{"--watch"};
    QTest::newRow("bad settings") << QStringList{"--settings", "9600,x,8,1"};
}

void FindCliTest::usageErrors() {
    QFETCH(QStringList, arguments);
    Ports ports;
    QCOMPARE(ports.run(arguments).first, 2);
}

// Each try is a line of the exchange log: the ones that met a wrong echo sent "|" alone.
void FindCliTest::logHoldsEveryTry() {
    Ports ports;
    ports.attach(7, {"--line", "19200,o,8,1"});
    QTemporaryDir dir;
    const QString log = dir.filePath("find.tsv");
    QCOMPARE(ports.run({"--port", "7", "--log", log}).first, 0);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.takeFirst(), ExchangeLog::header());
    QCOMPARE(lines.size(), 9);
    for (const QString& line : lines.mid(0, 8)) {
        const QStringList f = line.split(u'\t');
        QCOMPARE(f[1], QStringLiteral("COM7"));
        QCOMPARE(f[5], QStringLiteral("|"));
        QCOMPARE(f[8], QStringLiteral("wrong echo"));
    }
    const QStringList found = lines.last().split(u'\t');
    QCOMPARE(found.mid(3, 1), QStringList{"19200,O,8,1"});
    QCOMPARE(found.mid(5, 2), (QStringList{"|POS", "|POS"}));
    QCOMPARE(found[8], QStringLiteral(">"));
}

QTEST_GUILESS_MAIN(FindCliTest)
#include "tst_find_cli.moc"
