#include "CliBench.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {

// The longest command there is: eighteen characters, 900 ms on the line.
const QString Long = QStringLiteral("PRST1=-2147483648");

// Waits until the encoder on com has received these bytes.
bool receivedOn(const CliBench& bench, int com, const QByteArray& bytes) {
    QElapsedTimer clock;
    clock.start();
    while (!bench.received(com).contains(bytes) && clock.elapsed() < 10000)
        QTest::qWait(5);
    return bench.received(com).contains(bytes);
}

void signal(const QProcess& cli, int number) {
    ::kill(pid_t(cli.processId()), number);
}

} // namespace

class CliSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void oneStopFinishesTheRunningCommand_data();
    void oneStopFinishesTheRunningCommand();
    void aSecondStopEndsAtOnce_data();
    void aSecondStopEndsAtOnce();
};

void CliSignalsTest::oneStopFinishesTheRunningCommand_data() {
    QTest::addColumn<int>("stop");
    QTest::newRow("Ctrl+C") << int(SIGINT);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

// SIGTERM is Ctrl+C: the command under way goes out whole, nothing after it.
void CliSignalsTest::oneStopFinishesTheRunningCommand() {
    QFETCH(int, stop);
    CliBench bench(1);
    QProcess cli;
    bench.start(cli, {"send", Long, "NS=4096"});
    QVERIFY(receivedOn(bench, 1, "|PR"));
    signal(cli, stop);
    const CliBench::Run run = CliBench::finish(cli, 10000);
    QCOMPARE(run.status, 130);
    QVERIFY2(run.out.contains("COM1: stopped by Ctrl+C before NS=4096"), qPrintable(run.out));
    QCOMPARE(bench.received(1), ("|" + Long + "\r").toLatin1());
}

void CliSignalsTest::aSecondStopEndsAtOnce_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<int>>("stops");
    QTest::addColumn<QString>("said"); // on the port's line or on standard error
    const QList<int> twice{SIGINT, SIGINT};
    QTest::newRow("send, Ctrl+C twice") << QStringList{"send", Long} << twice << "zintor-cli: ";
    QTest::newRow("send, SIGTERM twice")
        << QStringList{"send", Long} << QList<int>{SIGTERM, SIGTERM} << "zintor-cli: ";
    QTest::newRow("apply, Ctrl+C then SIGTERM")
        << QStringList{"apply", "long.profile"} << QList<int>{SIGINT, SIGTERM} << "zintor-cli: ";
    // The encoder that echoes and never answers: the search's first try reaches POS.
    QTest::newRow("find, Ctrl+C twice")
        << QStringList{"find", "-p", "2"} << twice << "COM2  stopped (0 settings tried): ";
}

// Between two characters: the command half-sent is named, and no CR follows it.
void CliSignalsTest::aSecondStopEndsAtOnce() {
    QFETCH(QStringList, arguments);
    QFETCH(QList<int>, stops);
    QFETCH(QString, said);
    CliBench bench(2, {"--silent"});
    bench.write("long.profile", Long + "\n");
    const int com = arguments.contains("find") ? 2 : 1;
    arguments.replaceInStrings("long.profile", bench.path("long.profile"));
    QProcess cli;
    bench.start(cli, arguments);
    QVERIFY(receivedOn(bench, com, "|P"));
    // As an operator presses again: two signals sent at once would be delivered as one.
    signal(cli, stops[0]);
    QTest::qWait(150);
    signal(cli, stops[1]);
    QElapsedTimer ending;
    ending.start();
    const CliBench::Run run = CliBench::finish(cli, 10000);
    // The command alone would take another 800 ms, its answer up to 750 ms more.
    QVERIFY2(ending.elapsed() < 700, qPrintable(QString::number(ending.elapsed())));
    QCOMPARE(run.status, 130);
    const QString port =
        QStringLiteral("COM%1 (%2)").arg(com).arg(bench.path(QStringLiteral("com%1").arg(com)));
    const QRegularExpression named(
        QRegularExpression::escape(said + port +
                                   ": ended at once by a second Ctrl+C or SIGTERM; \"|P") +
        "[^\"]*" +
        QRegularExpression::escape("\" went out without its CR, so the encoder may hold a "
                                   "half-sent command."));
    QVERIFY2(run.out.contains(named) || run.err.contains(named), qPrintable(run.out + run.err));
    QTest::qWait(100);
    QVERIFY2(!bench.received(com).contains('\r'), bench.received(com).constData());
}

QTEST_GUILESS_MAIN(CliSignalsTest)
#include "tst_cli_signals.moc"
