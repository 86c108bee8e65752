#include "CliBench.h"
#include "FullDisk.h"
#include "service/RecordStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {

const QString Approved =
    QStringLiteral("# approved for line 3\nCODE=BIN\nCNT=CCLW\nPAR=EVEN\nOFST=10\nNS=4096\nNR=8\n");

struct Started {
    QProcess cli;
    QString store;
};

// zintor-cli run on the bench with its own store; the serials typed as a scanner types them.
void startRun(const CliBench& bench, QProcess& cli, const QStringList& ports,
              const QStringList& extra = {}, const QString& store = {}) {
    const QString records = store.isEmpty() ? bench.path("records.sqlite") : store;
    QStringList arguments{"run",       "--profile", bench.write("approved.profile", Approved),
                          "--station", "Line 3",    "--operator",
                          "Ann",       "--records", records};
    for (const QString& port : ports)
        arguments << "--port" << port;
    bench.start(cli, arguments + extra);
}

QList<Records::Unit> recorded(const CliBench& bench) {
    RecordStore store(StoreAddress::parse(bench.path("records.sqlite")));
    return store.units({});
}

} // namespace

class CliRunTest : public QObject {
    Q_OBJECT
private slots:
    void serialsGoToThePortsInTurn();
    void outcomes_data();
    void outcomes();
    void refusedSerialsSendNothing();
    void storeThatCannotBeWrittenSendsNothing();
    void ctrlCRecordsWhatTheUnitHolds();
    void killedMidUnitLeavesNoPassedRecord();
    void fullDiskStopsTheRun();
    void recordsListsCsvAndJson();
};

void CliRunTest::serialsGoToThePortsInTurn() {
    CliBench bench(4);
    QProcess cli;
    startRun(bench, cli, {"1-4"});
    cli.write("S1\nS2\nS3\nS4\nS5\n");
    cli.closeWriteChannel();
    const CliBench::Run run = CliBench::finish(cli, 120000);
    QCOMPARE(run.status, 0);
    QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    lines.sort();
    QCOMPARE(lines.size(), 5);
    for (int n = 1; n <= 5; ++n)
        QVERIFY2(QRegularExpression(
                     QStringLiteral("^PASS S%1 COM%2 \\d+\\.\\d\\d s$").arg(n).arg((n - 1) % 4 + 1))
                     .match(lines[n - 1])
                     .hasMatch(),
                 qPrintable(lines[n - 1]));
    QVERIFY2(run.err.contains("5 units: 5 passed, 0 failed"), qPrintable(run.err));
    QCOMPARE(bench.received(1).count("|STP\r"), 2); // S1 and S5
    const QList<Records::Unit> units = recorded(bench);
    QCOMPARE(units.size(), 5);
    for (const Records::Unit& unit : units) {
        QCOMPARE(unit.outcome, Records::Outcome::Passed);
        QCOMPARE(unit.station, "Line 3");
        QCOMPARE(unit.operatorName, "Ann");
    }
}

void CliRunTest::outcomes_data() {
    QTest::addColumn<QStringList>("fault"); // of the encoder on COM2
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("item refused") << QStringList{"--refuse", "NS"} << "2" << 1
                                  << "FAIL X COM2: NS refused (!?)"
                                  << "refused";
    QTest::newRow("item not carried out") << QStringList{"--ignore", "NS"} << "2" << 1
                                          << "FAIL X COM2: NS differs (wanted 4096, found 8192)"
                                          << "differs";
    QTest::newRow("no encoder") << QStringList{} << "3" << 3 << "FAIL X COM3: "
                                << "port failure";
}

void CliRunTest::outcomes() {
    QFETCH(QStringList, fault);
    QFETCH(QString, port);
    QFETCH(int, status);
    QFETCH(QString, line);
    QFETCH(QString, outcome);
    CliBench bench(2, fault);
    QProcess cli;
    startRun(bench, cli, {port});
    cli.write("X\n");
    cli.closeWriteChannel();
    const CliBench::Run run = CliBench::finish(cli);
    QCOMPARE(run.status, status);
    QVERIFY2(run.out.startsWith(line), qPrintable(run.out));
    const QList<Records::Unit> units = recorded(bench);
    QCOMPARE(units.size(), 1);
    QCOMPARE(Records::outcomeName(units[0].outcome), outcome);
    QCOMPARE(units[0].headline, run.out.trimmed()); // the line shown is the line recorded
}

void CliRunTest::refusedSerialsSendNothing() {
    CliBench bench(1);
    QProcess cli;
    startRun(bench, cli, {"1"});
    cli.write("\x1b]0;x\x07\n\n" + QByteArray(2000, '7') + "\nA1\nA1\n");
    cli.closeWriteChannel();
    const CliBench::Run run = CliBench::finish(cli);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out.count(u'\n'), 1); // A1 once
    QVERIFY2(run.err.contains("line 1: serial number \"\\x1b]0;x\\x07\": character 1 is not "
                              "printable ASCII; nothing sent"),
             qPrintable(run.err));
    QVERIFY2(run.err.contains("line 3: longer than 1024 bytes"), qPrintable(run.err));
    QVERIFY2(run.err.contains("line 5: serial number A1 was taken earlier in this run"),
             qPrintable(run.err));
    QCOMPARE(bench.received(1).count("|STP\r"), 1);
}

void CliRunTest::storeThatCannotBeWrittenSendsNothing() {
    CliBench bench(1);
    bench.write("blocker", "a file, not a folder");
    const auto run =
        bench.run({"run", "--profile", bench.write("p.profile", Approved), "--port", "1",
                   "--station", "S", "--operator", "O", "--records", bench.path("blocker/r.db")});
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.startsWith("zintor-cli: records store " + bench.path("blocker/r.db") + ": "),
             qPrintable(run.err));
    QVERIFY(bench.received(1).isEmpty());
}

void CliRunTest::ctrlCRecordsWhatTheUnitHolds() {
    CliBench bench(1);
    QProcess cli;
    startRun(bench, cli, {"1"});
    cli.write("C1\nC2\n");
    QTest::qWait(900); // inside the second or third item of C1
    ::kill(pid_t(cli.processId()), SIGINT);
    const CliBench::Run run = CliBench::finish(cli, 10000);
    QCOMPARE(run.status, 130);
    QVERIFY2(QRegularExpression("^FAIL C1 COM1: stopped by Ctrl\\+C; written: CODE( CNT)?( PAR)?$")
                 .match(run.out.trimmed())
                 .hasMatch(),
             qPrintable(run.out));
    QVERIFY2(run.err.contains("COM1: not started: C2"), qPrintable(run.err));
    const QList<Records::Unit> units = recorded(bench);
    QCOMPARE(units.size(), 1);
    QCOMPARE(units[0].outcome, Records::Outcome::Stopped);
}

void CliRunTest::killedMidUnitLeavesNoPassedRecord() {
    CliBench bench(1);
    QProcess cli;
    startRun(bench, cli, {"1"});
    cli.write("K1\nK2\n");
    // K1 recorded, K2 under way: its first item written, its read-back not yet.
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += cli.readAllStandardOutput()).contains("PASS K1"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(
        bench.received(1).count("|STP\r") == 2 && bench.received(1).count("|BIN\r") == 2, 10000);
    ::kill(pid_t(cli.processId()), SIGKILL);
    QVERIFY(cli.waitForFinished(5000));
    QCOMPARE(cli.exitStatus(), QProcess::CrashExit);
    const QList<Records::Unit> units = recorded(bench); // opens cleanly
    QCOMPARE(units.size(), 1);
    QCOMPARE(units[0].serial, "K1");
    QCOMPARE(units[0].outcome, Records::Outcome::Passed);
}

// The store's disk fills up after the first unit: the second unit is not shown as passed,
// the run stops there and says why, and the third is never started.
void CliRunTest::fullDiskStopsTheRun() {
    FullDisk disk("1m");
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    CliBench bench(1);
    QProcess cli;
    const QString store = disk.path("records.sqlite");
    startRun(bench, cli, {"1"}, {}, store);
    cli.write("F1\n");
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += cli.readAllStandardOutput()).contains("PASS F1"), 20000);
    disk.fill();
    cli.write("F2\nF3\n");
    cli.closeWriteChannel();
    const CliBench::Run run = CliBench::finish(cli);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.out.startsWith("FAIL F2 COM1: not recorded: records store " + store),
             qPrintable(run.out));
    QVERIFY2(run.err.contains("full; the run stops") && run.err.contains("COM1: not started: F3"),
             qPrintable(run.err));
    QCOMPARE(bench.received(1).count("|STP\r"), 2); // F3 never started
    RecordStore records(StoreAddress::parse(store));
    const QList<Records::Unit> units = records.units({});
    QCOMPARE(units.size(), 1);
    QCOMPARE(units[0].serial, "F1");
}

void CliRunTest::recordsListsCsvAndJson() {
    CliBench bench(2, {"--refuse", "NS"});
    QProcess cli;
    startRun(bench, cli, {"1", "2"});
    cli.write("R1\nR2\n");
    cli.closeWriteChannel();
    QCOMPARE(CliBench::finish(cli).status, 1);
    const QString store = bench.path("records.sqlite");
    const auto csv = bench.run({"records", "--records", store, "--outcome", "failed", "--csv"});
    QCOMPARE(csv.status, 0);
    const QStringList rows = csv.out.split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 1 + 6); // the header, R2's items
    QVERIFY2(rows[0].startsWith("unit,serial,outcome,"), qPrintable(rows[0]));
    QVERIFY2(rows[5].contains(",R2,refused,") && rows[5].contains(",NS,4096,") &&
                 rows[5].endsWith(",refused (!?)"),
             qPrintable(rows[5]));
    const auto json = bench.run({"records", "--records", store, "--serial", "R1", "--json"});
    const QJsonArray units = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(units.size(), 1);
    QCOMPARE(units[0]["outcome"].toString(), "passed");
    QCOMPARE(units[0]["items"].toArray().size(), 6);
    const auto text = bench.run({"records", "--records", store, "--since", "2000-01-01"});
    QCOMPARE(text.out.count(u'\n'), 2);
    const auto bad = bench.run({"records", "--records", store, "--since", "yesterday"});
    QCOMPARE(bad.status, 2);
}

QTEST_MAIN(CliRunTest)
#include "tst_cli_run.moc"
