#include "CliBench.h"
#include "PostgresServer.h"
#include "service/RecordStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// One item: a unit is short, so many fit in the test's time.
const QString OneItem = QStringLiteral("CODE=BIN\n");

// Units per station in fourStationsAtOnce; ZINTOR_RUN_UNITS=250 makes it the bench's row.
int unitsPerStation() {
    const int asked = qEnvironmentVariableIntValue("ZINTOR_RUN_UNITS");
    return asked > 0 ? asked : 12;
}

// Every line of standard output that has come so far.
bool waitForLine(QProcess& cli, QByteArray& out, const QByteArray& line, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!out.contains(line) && clock.elapsed() < timeoutMs) {
        cli.waitForReadyRead(200);
        out += cli.readAllStandardOutput();
    }
    return out.contains(line);
}

} // namespace

// zintor-cli run into a PostgreSQL server that the test starts and stops itself (initdb,
// pg_ctl); fails without it where ZINTOR_REQUIRE_POSTGRES=1.
class PostgresRunsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fourStationsAtOnce();
    void serverStoppedMidRun();

private:
    QList<Records::Unit> units(const QString& runPrefix);
    void startRun(const CliBench& bench, QProcess& cli, int com, const QString& station);

    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_dir;
};

void PostgresRunsTest::initTestCase() {
    m_server = std::make_unique<PostgresServer>();
    ZINTOR_NEED_SERVER(*m_server);
}

// Each station keeps its own spool, as separate machines would.
void PostgresRunsTest::startRun(const CliBench& bench, QProcess& cli, int com,
                                const QString& station) {
    qputenv("XDG_DATA_HOME", m_dir.filePath(station).toLocal8Bit());
    bench.start(cli, {"run", "--profile", bench.write("one.profile", OneItem), "--port",
                      QString::number(com), "--station", station, "--operator", "Ann", "--records",
                      m_server->url()});
}

// The units whose serial starts so, in the order they were started.
QList<Records::Unit> PostgresRunsTest::units(const QString& runPrefix) {
    RecordStore store(StoreAddress::parse(m_server->url()));
    QList<Records::Unit> found;
    for (const Records::Unit& unit : store.units({}))
        if (unit.serial.startsWith(runPrefix))
            found << unit;
    return found;
}

// Four companions on four fixtures write into one database at once: every unit is there,
// once, passed, with its station.
void PostgresRunsTest::fourStationsAtOnce() {
    const int perStation = unitsPerStation();
    CliBench bench(4);
    std::vector<std::unique_ptr<QProcess>> stations;
    QElapsedTimer clock;
    clock.start();
    for (int n = 1; n <= 4; ++n) {
        stations.push_back(std::make_unique<QProcess>());
        startRun(bench, *stations.back(), n, QStringLiteral("Station %1").arg(n));
        QByteArray serials;
        for (int i = 1; i <= perStation; ++i)
            serials += QStringLiteral("P%1-%2\n").arg(n).arg(i, 4, 10, QChar(u'0')).toLatin1();
        // Handed over now: QProcess otherwise writes a station's serials only while the
        // test waits for that station, and the four would run one after the other.
        stations.back()->write(serials);
        QVERIFY(stations.back()->waitForBytesWritten(10000));
        stations.back()->closeWriteChannel();
    }
    for (int n = 1; n <= 4; ++n) {
        const CliBench::Run run = CliBench::finish(*stations[std::size_t(n - 1)], 900000);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out.count(QStringLiteral("PASS P%1-").arg(n)), perStation);
    }
    const double seconds = double(clock.elapsed()) / 1000;
    const QList<Records::Unit> recorded = units(QStringLiteral("P"));
    QSet<QString> serials;
    for (const Records::Unit& unit : recorded) {
        QCOMPARE(unit.outcome, Records::Outcome::Passed);
        QCOMPARE(unit.station, QStringLiteral("Station ") + unit.serial.mid(1, 1));
        serials.insert(unit.serial);
    }
    QCOMPARE(recorded.size(), 4 * perStation); // none doubled
    QCOMPARE(serials.size(), 4 * perStation);  // none lost
    qInfo("4 stations x %d units into one PostgreSQL: %.1f s, %.2f s a unit per station",
          perStation, seconds, seconds / perStation);
}

// The server goes away after two units and comes back after two more: the run goes on and
// says it spools; the spooled units arrive once, in order, before the later ones.
void PostgresRunsTest::serverStoppedMidRun() {
    CliBench bench(1);
    QProcess cli;
    startRun(bench, cli, 1, QStringLiteral("Spooling station"));
    QByteArray out;
    cli.write("Q1\nQ2\n");
    QVERIFY2(waitForLine(cli, out, "PASS Q2", 30000), out.constData());
    QVERIFY2(m_server->stop(), qPrintable(m_server->why()));
    cli.write("Q3\nQ4\n");
    QVERIFY2(waitForLine(cli, out, "PASS Q4", 60000), out.constData());
    const QByteArray spooling = cli.readAllStandardError();
    QVERIFY2(spooling.contains("zintor-cli: spooling: records store postgresql://") &&
                 spooling.contains("record(s) kept in"),
             spooling.constData());
    QVERIFY2(m_server->start(), qPrintable(m_server->why()));
    cli.write("Q5\nQ6\n");
    cli.closeWriteChannel();
    const CliBench::Run run = CliBench::finish(cli);
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY2(run.err.contains("answers again; the spooled records were sent"), qPrintable(run.err));
    QStringList serials;
    for (const Records::Unit& unit : units(QStringLiteral("Q")))
        serials << unit.serial; // oldest first
    QCOMPARE(serials, (QStringList{"Q1", "Q2", "Q3", "Q4", "Q5", "Q6"}));
}

QTEST_GUILESS_MAIN(PostgresRunsTest)
#include "tst_postgres_runs.moc"
