// What the records cost: writing one unit's record (median) into SQLite and into a local
// PostgreSQL server, and the records window on a store of 100,000 units, opened and
// filtered.
#include "PostgresServer.h"
#include "Table.h"
#include "panel/RecordsWindow.h"
#include "service/RecordWriter.h"
#include "service/StoreError.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

constexpr int Writes = 200;
constexpr int StoredUnits = 100000;
constexpr double WindowTargetMs = 300;

Records::Unit unitOf(const QString& runId, int n, const QDateTime& started) {
    Records::Unit unit;
    unit.id = Records::newId();
    unit.serial = QStringLiteral("U%1").arg(n, 7, 10, QChar(u'0'));
    unit.runId = runId;
    unit.port = QStringLiteral("COM1");
    unit.started = started;
    unit.ended = started.addMSecs(2960);
    unit.outcome = n % 50 == 0 ? Records::Outcome::Refused : Records::Outcome::Passed;
    unit.headline = QStringLiteral("PASS %1 COM1 2.96 s").arg(unit.serial);
    for (const char* item : {"CODE", "CNT", "PAR", "OFST", "NS", "NR"})
        unit.items << Records::Item{QLatin1String(item), "1", "1", "ok"};
    return unit;
}

Records::Run runOf() {
    return {Records::newId(),
            "Bench",
            "Ann",
            "full.profile",
            "ab",
            "NS=4096\n",
            QDateTime::currentDateTimeUtc(),
            {}};
}

// The median time one unit's record takes, from the call to its commit.
double writeMedian(const QString& address, const QString& spool) {
    RecordWriter writer(StoreAddress::parse(address), spool);
    const Records::Run run = runOf();
    writer.addRun(run);
    std::vector<double> ms;
    for (int n = 0; n < Writes; ++n) {
        const Records::Unit unit = unitOf(run.id, n, QDateTime::currentDateTimeUtc());
        QElapsedTimer clock;
        clock.start();
        writer.addUnit(unit);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return median(ms);
}

// 100,000 units a minute apart with their items, in one transaction: a year of a line.
void fill(const QString& file) {
    RecordWriter writer(StoreAddress::parse(file)); // the schema, as the tool makes it
    const Records::Run run = runOf();
    writer.addRun(run);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
    db.setDatabaseName(file);
    if (!db.open())
        std::exit(1);
    db.transaction();
    QSqlQuery unit(db), item(db);
    unit.prepare("INSERT INTO units VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    item.prepare("INSERT INTO items VALUES (?, ?, ?, ?, ?, ?)");
    const QDateTime first = QDateTime::currentDateTimeUtc().addSecs(-60LL * StoredUnits);
    for (int n = 0; n < StoredUnits; ++n) {
        const Records::Unit u = unitOf(run.id, n, first.addSecs(60LL * n));
        for (const QVariant& value :
             {QVariant(u.id), QVariant(u.serial), QVariant(u.runId), QVariant(u.port),
              QVariant(Records::timeText(u.started)), QVariant(Records::timeText(u.ended)),
              QVariant(Records::outcomeName(u.outcome)), QVariant(u.headline)})
            unit.addBindValue(value);
        if (!unit.exec())
            std::exit(1);
        for (int i = 0; i < 2; ++i) {
            for (const QVariant& value : {QVariant(u.id), QVariant(i), QVariant(u.items[i].item),
                                          QVariant("1"), QVariant("1"), QVariant("ok")})
                item.addBindValue(value);
            item.exec();
        }
    }
    db.commit();
}

double timed(const std::function<void()>& step) {
    QElapsedTimer clock;
    clock.start();
    step();
    QCoreApplication::processEvents(); // painted
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const double sqlite = writeMedian(dir.filePath("write.sqlite"), {});
    std::printf("one unit's record with 6 items, median of %d writes\n", Writes);
    row("record write, SQLite (WAL)", sqlite, "ms", sqlite / 5, "<= 1 (5 ms)");
    PostgresServer server;
    if (server.running()) {
        const double postgres = writeMedian(server.url(), dir.filePath("spool.sqlite"));
        row("record write, local PostgreSQL (Unix socket)", postgres, "ms", postgres / 15,
            "<= 1 (15 ms)");
    } else {
        std::printf("PostgreSQL not measured: %s\n", qPrintable(server.why()));
    }

    const QString store = dir.filePath("year.sqlite");
    fill(store);
    std::printf("the records window on %d units\n", StoredUnits);
    std::unique_ptr<RecordsWindow> window;
    const double open = timed([&] {
        window = std::make_unique<RecordsWindow>(StoreAddress::parse(store));
        window->show();
    });
    row("records window: open, the newest 1,000 shown", open, "ms", open / WindowTargetMs,
        "<= 1 (300 ms)");
    const double failed = timed([&] { window->FilterOutcome->setCurrentIndex(2); });
    const int failedShown = window->RecordsTable->rowCount();
    const double serial = timed([&] { window->FilterSerial->setText("U0042400"); });
    if (failedShown != 1000 || window->RecordsTable->rowCount() != 1) {
        std::fprintf(stderr, "the filters found %d and %d units\n", failedShown,
                     window->RecordsTable->rowCount());
        return 1;
    }
    row("records window: filter failed units (2,000)", failed, "ms", failed / WindowTargetMs,
        "<= 1 (300 ms)");
    row("records window: then by serial", serial, "ms", serial / WindowTargetMs, "<= 1 (300 ms)");
    return 0;
}
