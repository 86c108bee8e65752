#include "service/RecordStore.h"
#include "service/RunRecorder.h"
#include "service/SerialNumber.h"
#include "service/StoreError.h"
#include "service/UnitResult.h"
#include "service/UsageError.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

Records::Unit unitOf(const QString& runId, const QString& serial, Records::Outcome outcome,
                     const QDateTime& started) {
    Records::Unit unit;
    unit.id = Records::newId();
    unit.serial = serial;
    unit.runId = runId;
    unit.port = QStringLiteral("COM5");
    unit.started = started;
    unit.ended = started.addMSecs(2960);
    unit.outcome = outcome;
    unit.headline = QStringLiteral("PASS %1 COM5 2.96 s").arg(serial);
    unit.items = {{"CODE", "BIN", "BIN", "ok"}, {"NS", "8192", "4096", "differs"}};
    return unit;
}

Records::Run runOf() {
    return {Records::newId(),
            "Line 3",
            "Ann",
            "approved.profile",
            "ab",
            "NS=8192\n",
            QDateTime::currentDateTimeUtc(),
            {}};
}

// Runs one statement on the SQLite file directly, as another program would.
QVariant direct(const QString& file, const QString& sql) {
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "direct");
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next())
                value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase("direct");
    return value;
}

} // namespace

class RecordStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void defaultStoreIsMadeOnFirstUse();
    void newerSchemaIsRefusedNamingBoth();
    void unitSentTwiceIsRecordedOnce();
    void filters_data();
    void filters();
    void storeThatCannotBeMadeIsNamed();
    void serials_data();
    void serials();
    void addresses_data();
    void addresses();
    void badProfileOpensNoStore();
    void outcomes_data();
    void outcomes();

private:
    QTemporaryDir m_dir;
};

void RecordStoreTest::defaultStoreIsMadeOnFirstUse() {
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
    const QString file = m_dir.filePath("data/zintor/records.sqlite");
    QCOMPARE(StoreAddress::defaultFile(), file);
    {
        RecordStore store(StoreAddress::parse({}));
        store.addRun(runOf());
    }
    QVERIFY(QFile::exists(file));
    QCOMPARE(direct(file, "PRAGMA journal_mode").toString(), "wal");
    QCOMPARE(direct(file, "SELECT version FROM schema_version").toInt(), 1);
    QCOMPARE(direct(file, "SELECT COUNT(*) FROM runs").toInt(), 1);
    RecordStore again(StoreAddress::parse({})); // migrated once only
    QCOMPARE(direct(file, "SELECT COUNT(*) FROM schema_version").toInt(), 1);
}

void RecordStoreTest::newerSchemaIsRefusedNamingBoth() {
    const QString file = m_dir.filePath("newer.sqlite");
    { RecordStore store(StoreAddress::parse(file)); }
    direct(file, "UPDATE schema_version SET version = 7");
    try {
        RecordStore store(StoreAddress::parse(file));
        QFAIL("a newer schema was opened");
    } catch (const StoreError& e) {
        QVERIFY2(e.text().contains(file) && e.text().contains("schema version 7") &&
                     e.text().contains("up to 1"),
                 qPrintable(e.text()));
    }
    QCOMPARE(direct(file, "SELECT version FROM schema_version").toInt(), 7); // untouched
}

void RecordStoreTest::unitSentTwiceIsRecordedOnce() {
    RecordStore store(StoreAddress::parse(m_dir.filePath("twice.sqlite")));
    const Records::Run run = runOf();
    store.addRun(run);
    store.addRun(run);
    const Records::Unit unit =
        unitOf(run.id, "12345", Records::Outcome::Differs, QDateTime::currentDateTimeUtc());
    store.addUnit(unit);
    store.addUnit(unit); // from a spool, after the server came back
    const QList<Records::Unit> units = store.units({});
    QCOMPARE(units.size(), 1);
    QCOMPARE(units[0].id, unit.id);
    QCOMPARE(units[0].station, "Line 3");
    QCOMPARE(units[0].outcome, Records::Outcome::Differs);
    QCOMPARE(units[0].started, unit.started);
    const QList<Records::Item> items = store.items(unit.id);
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[1].found, "4096");
    QCOMPARE(items[1].result, "differs");
    store.endRun(run.id, QDateTime::currentDateTimeUtc());
    QVERIFY(store.run(run.id)->ended.isValid());
}

void RecordStoreTest::filters_data() {
    QTest::addColumn<QString>("serial");
    QTest::addColumn<int>("sinceDays"); // from today; 99: open
    QTest::addColumn<int>("untilDays");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("found");
    const int open = 99, any = int(RecordFilter::Outcome::Any);
    QTest::newRow("all") << "" << open << open << any << QStringList{"A", "B", "C", "A"};
    QTest::newRow("serial") << "A" << open << open << any << QStringList{"A", "A"};
    QTest::newRow("passed") << "" << open << open << int(RecordFilter::Outcome::Passed)
                            << QStringList{"A", "C"};
    QTest::newRow("failed") << "" << open << open << int(RecordFilter::Outcome::Failed)
                            << QStringList{"B", "A"};
    QTest::newRow("today") << "" << 0 << 0 << any << QStringList{"C", "A"};
    QTest::newRow("until yesterday") << "" << open << -1 << any << QStringList{"A", "B"};
    QTest::newRow("a day with none") << "" << -5 << -5 << any << QStringList{};
}

void RecordStoreTest::filters() {
    QFETCH(QString, serial);
    QFETCH(int, sinceDays);
    QFETCH(int, untilDays);
    QFETCH(int, outcome);
    QFETCH(QStringList, found);
    RecordStore store(StoreAddress::parse(m_dir.filePath("filter.sqlite")));
    if (store.count({}) == 0) {
        const Records::Run run = runOf();
        store.addRun(run);
        const QDateTime today = QDateTime(QDate::currentDate(), QTime(12, 0));
        using O = Records::Outcome;
        store.addUnit(unitOf(run.id, "A", O::Passed, today.addDays(-2)));
        store.addUnit(unitOf(run.id, "B", O::PortFailure, today.addDays(-1)));
        store.addUnit(unitOf(run.id, "C", O::Passed, today));
        store.addUnit(unitOf(run.id, "A", O::Refused, today.addSecs(60)));
    }
    RecordFilter filter;
    filter.serial = serial;
    if (sinceDays != 99)
        filter.since = QDate::currentDate().addDays(sinceDays);
    if (untilDays != 99)
        filter.until = QDate::currentDate().addDays(untilDays);
    filter.outcome = RecordFilter::Outcome(outcome);
    QStringList serials;
    for (const Records::Unit& unit : store.units(filter))
        serials << unit.serial;
    QCOMPARE(serials, found);
    QCOMPARE(store.count(filter), found.size());
}

void RecordStoreTest::storeThatCannotBeMadeIsNamed() {
    // Under a file, so not even root can make the folder.
    QFile blocker(m_dir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    const QString file = m_dir.filePath("blocker/records.sqlite");
    try {
        RecordStore store(StoreAddress::parse(file));
        QFAIL("opened");
    } catch (const StoreError& e) {
        QVERIFY2(e.text().startsWith("records store " + file + ": "), qPrintable(e.text()));
    }
}

void RecordStoreTest::serials_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("serial"); // empty: refused
    QTest::addColumn<QString>("why");
    QTest::newRow("scanned") << "SN-0012345"
                             << "SN-0012345"
                             << "";
    QTest::newRow("trimmed") << " \t12345 \r"
                             << "12345"
                             << "";
    QTest::newRow("inner blank kept") << "A 1"
                                      << "A 1"
                                      << "";
    QTest::newRow("empty") << "   "
                           << ""
                           << "empty";
    QTest::newRow("64") << QString(64, u'9') << QString(64, u'9') << "";
    QTest::newRow("65") << QString(65, u'9') << ""
                        << "65 characters long; at most 64";
    QTest::newRow("escape") << "12\x1b[2J"
                            << ""
                            << "character 3 is not printable";
    QTest::newRow("not ASCII") << QString::fromUtf8("12\u00e9") << ""
                               << "character 3 is not printable";
}

void RecordStoreTest::serials() {
    QFETCH(QString, typed);
    QFETCH(QString, serial);
    QFETCH(QString, why);
    QString reason;
    QCOMPARE(SerialNumber::checked(typed, &reason), serial);
    QVERIFY2(why.isEmpty() ? reason.isEmpty() : reason.contains(why), qPrintable(reason));
    QVERIFY(!reason.contains(u'\x1b'));
}

void RecordStoreTest::addresses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<QString>("refusal"); // empty: taken
    QTest::newRow("file") << "/tmp/r.sqlite" << false << "";
    QTest::newRow("url") << "postgresql://op@db.plant:5433/records" << true << "";
    QTest::newRow("socket") << "postgresql://op@/records?host=/tmp/pg" << true << "";
    QTest::newRow("short scheme") << "postgres:///records" << true << "";
    QTest::newRow("password") << "postgresql://op:secret@db/records" << true << "~/.pgpass";
    QTest::newRow("no database") << "postgresql://op@db" << true << "names no database";
    QTest::newRow("unknown parameter")
        << "postgresql://db/r?password=x" << true << "unknown parameter \"password\"";
    QTest::newRow("other scheme") << "mysql://db/r" << false << "only postgresql://";
}

void RecordStoreTest::addresses() {
    QFETCH(QString, text);
    QFETCH(bool, postgres);
    QFETCH(QString, refusal);
    try {
        const StoreAddress address = StoreAddress::parse(text);
        QVERIFY2(refusal.isEmpty(), "taken");
        QCOMPARE(address.isPostgres(), postgres);
        QCOMPARE(address.text(), text);
    } catch (const UsageError& e) {
        QVERIFY2(!refusal.isEmpty() && e.text().contains(refusal), qPrintable(e.text()));
        QVERIFY2(!e.text().contains("secret"), qPrintable(e.text())); // not even on a screen
    }
}

void RecordStoreTest::badProfileOpensNoStore() {
    QFile profile(m_dir.filePath("bad.profile"));
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write("NS=8192\nNX=1\n");
    profile.close();
    const QString store = m_dir.filePath("never.sqlite");
    QVERIFY_THROWS_EXCEPTION(UsageError, RunRecorder({profile.fileName(), "S", "O", store, {}}));
    QVERIFY(!QFile::exists(store));
}

void RecordStoreTest::outcomes_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("rowResult"); // -1: no rows
    QTest::addColumn<int>("outcome");
    using O = Records::Outcome;
    using R = ItemRow::Result;
    QTest::newRow("passed") << ExitStatus::Done << int(R::Ok) << int(O::Passed);
    QTest::newRow("differs") << ExitStatus::Refused << int(R::Differs) << int(O::Differs);
    QTest::newRow("not reported") << ExitStatus::Refused << int(R::NotReported) << int(O::Differs);
    QTest::newRow("item refused") << ExitStatus::Refused << int(R::Refused) << int(O::Refused);
    QTest::newRow("listing refused") << ExitStatus::Refused << -1 << int(O::Refused);
    QTest::newRow("port") << ExitStatus::PortFailed << -1 << int(O::PortFailure);
    QTest::newRow("stopped") << ExitStatus::Stopped << int(R::Written) << int(O::Stopped);
}

void RecordStoreTest::outcomes() {
    QFETCH(int, status);
    QFETCH(int, rowResult);
    QFETCH(int, outcome);
    PortOutcome port;
    port.port = {5, "COM5"};
    port.status = status;
    if (rowResult >= 0)
        port.rows << ItemRow{"NS", "8192", "4096", "DIFFERS", ItemRow::Result(rowResult)};
    if (status != ExitStatus::Done)
        port.problems << "NS differs (wanted 8192, found 4096)";
    QCOMPARE(int(UnitResult::outcome(port)), outcome);
    const QString headline = UnitResult::headline("12345", port, 2957);
    QCOMPARE(headline, status == ExitStatus::Done
                           ? QString("PASS 12345 COM5 2.96 s")
                           : QString("FAIL 12345 COM5: NS differs (wanted 8192, found 4096)"));
}

QTEST_GUILESS_MAIN(RecordStoreTest)
#include "tst_record_store.moc"
