#include "CliBench.h"
#include "FullDisk.h"

#include <QTest>

namespace {

const QString NoSpace = QStringLiteral("No space left on device");

// The companion with its standard output on a device that takes nothing.
CliBench::Run runIntoFull(const CliBench& bench, const QStringList& arguments) {
    QProcess cli;
    cli.setStandardOutputFile(QStringLiteral("/dev/full"));
    bench.start(cli, arguments);
    return CliBench::finish(cli);
}

} // namespace

// Where the companion's words go, and what it says when they cannot go there.
class CliOutputTest : public QObject {
    Q_OBJECT
private slots:
    void fileOnFullDiskKeepsItsBytes_data();
    void fileOnFullDiskKeepsItsBytes();
    void refusedWriteIsExitTwo_data();
    void refusedWriteIsExitTwo();
    void portNamedByPathIsNamedByPath_data();
    void portNamedByPathIsNamedByPath();
    void noPortToSearchIsAMessage();
};

void CliOutputTest::fileOnFullDiskKeepsItsBytes_data() {
    QTest::addColumn<QStringList>("arguments"); // the file's place is %1
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("summary");
    QTest::newRow("read -o") << QStringList{"read", "-o", "%1"}
                             << "zintor-cli: %1: cannot be "
                                "written: "
                             << "0 of 1 encoders read; COM1: profile not written";
    QTest::newRow("send --log") << QStringList{"send", "POS", "--log", "%1"}
                                << "zintor-cli: --log %1: cannot be written: "
                                << "1 of 1 encoders acknowledged every command";
}

void CliOutputTest::fileOnFullDiskKeepsItsBytes() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QFETCH(QString, summary);
    FullDisk disk;
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    const QByteArray old(700, 'o');
    const QString file = disk.write("old", old);
    disk.fill();
    CliBench bench(1);
    const auto run = bench.run(arguments.replaceInStrings("%1", file));
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(message.arg(file) + NoSpace + u'\n'), qPrintable(run.err));
    QVERIFY2(run.out.contains(summary + u'\n'), qPrintable(run.out));
    QFile kept(file);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), old);
    QCOMPARE(disk.names(), QStringList{"old"});
}

void CliOutputTest::refusedWriteIsExitTwo_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("intoFull"); // standard output on /dev/full
    QTest::addColumn<QString>("message");
    const QString out = QStringLiteral("zintor-cli: standard output cannot be written: ") + NoSpace;
    QTest::newRow("read -o /dev/full") << QStringList{"read", "-o", "/dev/full"} << false
                                       << "zintor-cli: /dev/full: cannot be written: " + NoSpace;
    // The profile alone goes to standard output; the summary to standard error says it.
    QTest::newRow("read") << QStringList{"read"} << true
                          << "0 of 1 encoders read; COM1: profile not written\n" + out;
    QTest::newRow("send") << QStringList{"send", "POS"} << true << out;
    QTest::newRow("find --json") << QStringList{"find", "--json", "-p", "1"} << true << out;
}

void CliOutputTest::refusedWriteIsExitTwo() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, intoFull);
    QFETCH(QString, message);
    CliBench bench(1);
    const auto run = intoFull ? runIntoFull(bench, arguments) : bench.run(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.endsWith(message + u'\n'), qPrintable(run.err));
    QVERIFY2(!run.out.contains("1 of 1 encoders read"), qPrintable(run.out));
}

void CliOutputTest::portNamedByPathIsNamedByPath_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("out");
    const QString gone = QStringLiteral("/nonexistent/ttyX: device not found. Is it plugged in? "
                                        "Otherwise choose another port.");
    QTest::newRow("pos") << QStringList{"pos"} << "zintor-cli: " + gone + u'\n'
                         << "0 of 1 encoders reported their position; /nonexistent/ttyX: port "
                            "failure\n";
    QTest::newRow("find") << QStringList{"find"} << QString()
                          << "/nonexistent/ttyX  cannot open: " + gone +
                                 "\nno encoder found: the port could not be opened\n";
}

void CliOutputTest::portNamedByPathIsNamedByPath() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, err);
    QFETCH(QString, out);
    CliBench bench(0);
    const auto run = bench.run(arguments << "--port"
                                         << "/nonexistent/ttyX");
    QCOMPARE(run.status, 3);
    QCOMPARE(run.err, err);
    QCOMPARE(run.out, out);
}

void CliOutputTest::noPortToSearchIsAMessage() {
    CliBench bench(0);
    const auto run = bench.run({"find"});
    QCOMPARE(run.status, 3);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.startsWith("zintor-cli: no port to search: "), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(CliOutputTest)
#include "tst_cli_output.moc"
