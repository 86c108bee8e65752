#include "CliBench.h"
#include "service/ExchangeLog.h"

#include <QJsonArray>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {

const QString FullProfile = QStringLiteral(
    "# for four units\nCODE=BIN\nCNT=CCLW\nPAR=EVEN\nZPV=0\nOFST=10\nNS=4096\nNR=8\n");

// Every command that reached the device was whole: each "|" frame closed by its CR.
bool framesWhole(const QByteArray& received) {
    return received.isEmpty() ||
           (received.count('|') == received.count('\r') && received.endsWith('\r'));
}

} // namespace

class CliEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void readOneThenProgramFour();
    void deviceAnswerGivesStatusOne_data();
    void deviceAnswerGivesStatusOne();
    void portFailureStopsOnlyItsPort_data();
    void portFailureStopsOnlyItsPort();
    void badProfileSendsNothing();
    void sendShowsEachExchange();
    void posCountsReads();
    void ctrlCFinishesTheRunningExchange();
    void logHoldsEveryExchangeOfEveryPort();
};

void CliEndToEndTest::readOneThenProgramFour() {
    CliBench bench(5);
    // The unit to copy, set up as a technician would.
    QCOMPARE(
        bench.run({"send", "-p", "1", "BCD", "EXTD", "ODD", "OFST=7", "NS=2048", "NR=32"}).status,
        0);
    const QString profile = bench.path("unit.profile");
    const auto read = bench.run({"read", "-p", "COM1", "--output", profile});
    QCOMPARE(read.status, 0);
    QVERIFY2(read.out.contains("1 of 1 encoders read"), qPrintable(read.out));

    const auto apply = bench.run({"apply", profile, "--port", "2-5"});
    QCOMPARE(apply.status, 0);
    QVERIFY2(apply.out.contains("4 of 4 encoders programmed and verified"), qPrintable(apply.out));
    for (int com = 2; com <= 5; ++com) {
        const QString state = bench.state(com);
        for (const char* line : {"CODE=BCD", "CNT=EXTD", "PAR=ODD", "OFST=7", "NS=2048", "NR=32"})
            QVERIFY2(state.contains(QLatin1String(line) + u'\n'), qPrintable(state));
    }

    const auto verify = bench.run({"verify", profile, "--port", "2,3,4,5", "--json"});
    QCOMPARE(verify.status, 0);
    const QJsonObject document = CliBench::json(verify.out);
    QCOMPARE(document["status"].toInt(), 0);
    QCOMPARE(document["operation"].toString(), "verify");
    const QJsonArray ports = document["ports"].toArray();
    QCOMPARE(ports.size(), 4);
    for (const auto& port : ports) {
        const QJsonArray items = port.toObject()["items"].toArray();
        QCOMPARE(items.size(), 7);
        QCOMPARE(items[5]["item"].toString(), "NR");
        QCOMPARE(items[5]["found"].toString(), "32");
        QCOMPARE(items[5]["verdict"].toString(), "ok");
        QCOMPARE(items[6]["item"].toString(), "ZPV"); // after the written ones
        QCOMPARE(items[6]["verdict"].toString(), "read-only, not compared");
    }
    for (const auto& exchange : ports[0].toObject()["exchanges"].toArray()) { // nothing written
        const QString sent = exchange.toObject()["sent"].toString();
        QVERIFY2(sent == "|STP" || sent == "|POS", qPrintable(sent));
    }
}

void CliEndToEndTest::deviceAnswerGivesStatusOne_data() {
    QTest::addColumn<QStringList>("fault"); // of the encoder on COM2
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QByteArray>("neverSent");
    QTest::newRow("one item refused")
        << QStringList{"--refuse", "NS"}
        << "1 of 2 encoders programmed and verified; COM2: NS refused (!?)" << QByteArray("|NR=");
    QTest::newRow("one differing")
        << QStringList{"--ignore", "NR"}
        << "1 of 2 encoders programmed and verified; COM2: NR differs (wanted 8, found 16)"
        << QByteArray("|RST");
}

void CliEndToEndTest::deviceAnswerGivesStatusOne() {
    QFETCH(QStringList, fault);
    QFETCH(QString, summary);
    QFETCH(QByteArray, neverSent);
    CliBench bench(2, fault);
    const auto apply = bench.run({"apply", bench.write("four.profile", FullProfile), "-p", "1-2"});
    QCOMPARE(apply.status, 1);
    QVERIFY2(apply.out.contains(summary), qPrintable(apply.out));
    QVERIFY(!bench.received(2).contains(neverSent)); // writing stops at the refusal
    QVERIFY(bench.received(2).contains("|STP\r"));   // and the listing is read back
    QVERIFY(bench.state(1).contains("NR=8\n"));
}

void CliEndToEndTest::portFailureStopsOnlyItsPort_data() {
    QTest::addColumn<int>("encoders");
    QTest::addColumn<QStringList>("fault");
    QTest::newRow("hang-up midway") << 2 << QStringList{"--hangup-after", "2"};
    QTest::newRow("second port missing") << 1 << QStringList();
}

void CliEndToEndTest::portFailureStopsOnlyItsPort() {
    QFETCH(int, encoders);
    QFETCH(QStringList, fault);
    CliBench bench(encoders, fault);
    const auto apply = bench.run({"apply", bench.write("four.profile", FullProfile), "-p", "1,2"});
    QCOMPARE(apply.status, 3);
    QVERIFY2(apply.out.contains("1 of 2 encoders programmed and verified; COM2: port failure"),
             qPrintable(apply.out));
    // The panel's description: which port, which device.
    QVERIFY2(apply.err.contains(QStringLiteral("COM2 (%1): ").arg(bench.path("com2"))),
             qPrintable(apply.err));
    QVERIFY(bench.state(1).contains("NS=4096\n"));
}

void CliEndToEndTest::badProfileSendsNothing() {
    CliBench bench(1);
    const QString profile = bench.write("bad.profile", "CODE=BIN\nNS=4096\nNS=8192\n");
    const auto twice = bench.run({"apply", profile});
    QCOMPARE(twice.status, 2);
    QVERIFY2(twice.err.contains(profile + ":3: NS is given again (first on line 2)"),
             qPrintable(twice.err));
    QCOMPARE(bench.run({"verify", bench.path("absent.profile")}).status, 2);
    QCOMPARE(bench.run({"read", "--count", "2"}).status, 2);
    QCOMPARE(bench.run({"send", "OFST=1|NS=2"}).status, 2);
    // A value the item cannot take never reaches the encoder, which would refuse it.
    const auto letters = bench.run({"send", "NR=16", "NS=abc"});
    QCOMPARE(letters.status, 2);
    QVERIFY2(letters.err.contains("zintor-cli: send NS=abc: not a number"),
             qPrintable(letters.err));
    const QString negative = bench.write("negative.profile", "CODE=BIN\nNS=-1\n");
    const auto apply = bench.run({"apply", negative});
    QCOMPARE(apply.status, 2);
    QVERIFY2(apply.err.contains(negative + ":2: NS=-1: out of range"), qPrintable(apply.err));
    QCOMPARE(bench.run({"pos", "--flow", "sometimes"}).status, 2);
    QCOMPARE(bench.received(1), QByteArray());
}

void CliEndToEndTest::sendShowsEachExchange() {
    CliBench bench(1);
    const auto send = bench.run({"send", "NR=16", "FOO", "POS"});
    QCOMPARE(send.status, 1);
    const QStringList lines = send.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0], "COM1  sent |NR=16  echo |NR=16  reply \\r\\n>  status > (acknowledged)");
    QCOMPARE(lines[1], "COM1  sent |FOO  echo |FOO  reply \\r\\n?  status ? (unknown command)");
    QVERIFY2(lines[2].contains(QRegularExpression("status > \\(acknowledged\\)  position \\d+$")),
             qPrintable(lines[2]));
    QCOMPARE(lines[3], "0 of 1 encoders acknowledged every command; COM1: FOO refused (?)");
}

void CliEndToEndTest::posCountsReads() {
    CliBench bench(1);
    const auto pos = bench.run({"pos", "--count", "3", "--delay", "10", "--json"});
    QCOMPARE(pos.status, 0);
    const QJsonArray exchanges = CliBench::json(pos.out)["ports"][0]["exchanges"].toArray();
    QCOMPARE(exchanges.size(), 3);
    QVERIFY(!exchanges[2]["position"].toString().isEmpty());
    QCOMPARE(bench.received(1).count("|POS\r"), 3);
}

void CliEndToEndTest::ctrlCFinishesTheRunningExchange() {
    CliBench bench(1);
    QProcess cli;
    bench.start(cli, {"apply", bench.write("four.profile", FullProfile)});
    QTest::qWait(800); // inside the second or third command
    ::kill(pid_t(cli.processId()), SIGINT);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 130);
    const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    QVERIFY2(
        out.contains(QRegularExpression("COM1: stopped by Ctrl\\+C; written: CODE( CNT)?( PAR)?$",
                                        QRegularExpression::MultilineOption)),
        qPrintable(out));
    QTest::qWait(200);
    QVERIFY2(framesWhole(bench.received(1)), bench.received(1).constData());
    QVERIFY(!bench.received(1).contains("|STP"));
}

// The same format as the panel's saved log: its header, then a line per exchange naming
// its port; a log that cannot be written stops the run before anything is sent.
void CliEndToEndTest::logHoldsEveryExchangeOfEveryPort() {
    CliBench bench(3);
    const QString log = bench.path("run.tsv");
    QCOMPARE(bench.run({"send", "-p", "1,3", "BIN", "POS", "--log", log, "--quiet"}).status, 0);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.takeFirst(), ExchangeLog::header());
    QCOMPARE(lines.size(), 4);
    lines.sort(); // the ports ran side by side; their times interleave
    QStringList ports, sent;
    for (const QString& line : lines) {
        const QStringList f = line.split(u'\t');
        QCOMPARE(f.size(), 10);
        QVERIFY2(QDateTime::fromString(f[0], Qt::ISODateWithMs).isValid(), qPrintable(f[0]));
        ports << f[1];
        QCOMPARE(f[2], bench.path(f[1].toLower()));
        QCOMPARE(f.mid(3, 2), (QStringList{"9600,n,8,1", "xon"}));
        sent << f[5];
        QCOMPARE(f[6], f[5]); // the echo
        QVERIFY2(f[7].startsWith(u"\\r") && f[7].endsWith(u">"), qPrintable(f[7]));
        QCOMPARE(f[8], QStringLiteral(">"));
        QVERIFY2(f[9].toInt() >= 300, qPrintable(f[9]));
    }
    ports.sort();
    sent.sort();
    QCOMPARE(ports, (QStringList{"COM1", "COM1", "COM3", "COM3"}));
    QCOMPARE(sent, (QStringList{"|BIN", "|BIN", "|POS", "|POS"}));

    const auto refused = bench.run({"send", "-p", "2", "POS", "--log", bench.path("none/x.tsv")});
    QCOMPARE(refused.status, 2);
    QVERIFY2(refused.err.contains(QStringLiteral("cannot be written")), qPrintable(refused.err));
    QVERIFY(bench.received(2).isEmpty());
}

QTEST_GUILESS_MAIN(CliEndToEndTest)
#include "tst_cli_e2e.moc"
