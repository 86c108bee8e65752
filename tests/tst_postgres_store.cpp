#include "PostgresServer.h"
#include "service/RecordSpool.h"
#include "service/RecordWriter.h"
#include "service/StoreError.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

Records::Unit unitOf(const QString& runId, const QString& serial) {
    Records::Unit unit;
    unit.id = Records::newId();
    unit.serial = serial;
    unit.runId = runId;
    unit.port = QStringLiteral("COM5");
    unit.started = QDateTime::currentDateTimeUtc();
    unit.ended = unit.started.addMSecs(2960);
    unit.outcome = Records::Outcome::Passed;
    unit.headline = QStringLiteral("PASS %1 COM5 2.96 s").arg(serial);
    unit.items = {{"NS", "4096", "4096", "ok"}};
    return unit;
}

Records::Run runOf() {
    return {Records::newId(),
            "S",
            "O",
            "p.profile",
            "ab",
            "NS=4096\n",
            QDateTime::currentDateTimeUtc(),
            {}};
}

} // namespace

// Needs PostgreSQL (initdb, pg_ctl); fails without it where ZINTOR_REQUIRE_POSTGRES=1.
class PostgresStoreTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sameSchemaAndResendingIsHarmless();
    void serverAwaySpoolsThenSendsInOrderOnce();

private:
    std::unique_ptr<PostgresServer> m_server;
    QTemporaryDir m_dir;
};

void PostgresStoreTest::initTestCase() {
    m_server = std::make_unique<PostgresServer>();
    ZINTOR_NEED_SERVER(*m_server);
}

void PostgresStoreTest::sameSchemaAndResendingIsHarmless() {
    RecordStore store(StoreAddress::parse(m_server->url()));
    const Records::Run run = runOf();
    store.addRun(run);
    const Records::Unit unit = unitOf(run.id, "PG1");
    store.addUnit(unit);
    store.addUnit(unit);
    RecordFilter filter;
    filter.serial = "PG1";
    QCOMPARE(store.count(filter), 1);
    QCOMPARE(store.items(unit.id).size(), 1);
    RecordStore again(StoreAddress::parse(m_server->url())); // migrated already: nothing to do
    QCOMPARE(again.units(filter).first().headline, unit.headline);
}

void PostgresStoreTest::serverAwaySpoolsThenSendsInOrderOnce() {
    RecordWriter writer(StoreAddress::parse(m_server->url()), m_dir.filePath("spool.sqlite"));
    const Records::Run run = runOf();
    writer.addRun(run);
    writer.addUnit(unitOf(run.id, "W1"));
    QVERIFY2(m_server->stop(), qPrintable(m_server->why()));
    for (const char* serial : {"W2", "W3", "W4"})
        writer.addUnit(unitOf(run.id, serial));
    writer.endRun(run.id, QDateTime::currentDateTimeUtc());
    QCOMPARE(writer.spooled(), 4);
    QVERIFY2(writer.spooling().contains("does not answer") &&
                 writer.spooling().contains("4 record(s) kept in"),
             qPrintable(writer.spooling()));
    QVERIFY2(m_server->start(), qPrintable(m_server->why()));
    writer.flush();
    QCOMPARE(writer.spooled(), 0);
    writer.flush(); // nothing twice
    RecordStore store(StoreAddress::parse(m_server->url()));
    QStringList serials;
    for (const Records::Unit& unit : store.units({}))
        if (unit.runId == run.id)
            serials << unit.serial;
    QCOMPARE(serials, (QStringList{"W1", "W2", "W3", "W4"}));
    QVERIFY(store.run(run.id)->ended.isValid());
}

QTEST_GUILESS_MAIN(PostgresStoreTest)
#include "tst_postgres_store.moc"
