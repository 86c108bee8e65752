#include "service/RecordStore.h"

#include "service/RecordSchema.h"
#include "service/StoreError.h"
#include "service/StoreSql.h"
#include "service/StoreTransaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

namespace {

const QString UnitColumns =
    QStringLiteral("units.id, serial, run_id, port, units.started, units.ended, outcome, headline,"
                   " station, operator, profile_file");

// The WHERE clause of a filter and its values.
QString where(const RecordFilter& filter, QVariantList& values) {
    QStringList terms;
    if (!filter.serial.isEmpty()) {
        terms << QStringLiteral("serial = ?");
        values << filter.serial;
    }
    if (filter.since.isValid()) {
        terms << QStringLiteral("units.started >= ?");
        values << Records::timeText(filter.since.startOfDay());
    }
    if (filter.until.isValid()) {
        terms << QStringLiteral("units.started < ?");
        values << Records::timeText(filter.until.addDays(1).startOfDay());
    }
    if (filter.outcome != RecordFilter::Outcome::Any)
        terms << (filter.outcome == RecordFilter::Outcome::Passed
                      ? QStringLiteral("outcome = 'passed'")
                      : QStringLiteral("outcome <> 'passed'"));
    return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(" AND ");
}

} // namespace

RecordStore::RecordStore(const StoreAddress& address)
    : m_address(address), m_connection(StoreSql::newConnection(QStringLiteral("records"))) {
    QSqlDatabase db = QSqlDatabase::addDatabase(
        address.isPostgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), m_connection);
    address.configure(db);
    open();
    RecordSchema::migrate(db, m_address);
}

RecordStore::~RecordStore() {
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase RecordStore::db() const {
    return QSqlDatabase::database(m_connection, false);
}

void RecordStore::open() {
    QSqlDatabase db = this->db();
    if (!db.isValid())
        throw StoreError(m_address.named() + QStringLiteral(": Qt has no driver for it (install "
                                                            "libqt6sql6-sqlite or -psql)"));
    if (!m_address.isPostgres()) {
        const QString folder = QFileInfo(m_address.text()).absolutePath();
        if (!QDir().mkpath(folder))
            throw StoreError(m_address.named() +
                             QStringLiteral(": its folder cannot be made (%1)").arg(folder));
    }
    if (!db.open())
        throw StoreError(m_address.named() + QStringLiteral(": ") +
                         StoreSql::reason(db.lastError()));
    if (m_address.isPostgres()) // the server's notices ("already exists, skipping") are no news
        return StoreSql::tryRun(db, QStringLiteral("SET client_min_messages TO WARNING"));
    // The log beside the file lets readers go on while a station writes; FULL syncs every
    // commit, so a unit shown as recorded survives a power cut.
    StoreSql::run(db, m_address, "PRAGMA journal_mode=WAL");
    StoreSql::run(db, m_address, "PRAGMA synchronous=FULL");
    StoreSql::run(db, m_address, "PRAGMA foreign_keys=ON");
}

bool RecordStore::reopen(QString* why) {
    db().close();
    try {
        open();
        return true;
    } catch (const StoreError& e) {
        *why = e.text();
        return false;
    }
}

void RecordStore::addRun(const Records::Run& run) {
    QSqlDatabase db = this->db();
    StoreSql::run(db, m_address,
                  "INSERT INTO runs (id, station, operator, profile_file, profile_sha256,"
                  " profile_text, started, ended) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"
                  " ON CONFLICT (id) DO NOTHING",
                  {run.id, run.station, run.operatorName, run.profileFile, run.profileSha256,
                   run.profileText, Records::timeText(run.started),
                   run.ended.isValid() ? QVariant(Records::timeText(run.ended)) : QVariant()});
}

void RecordStore::endRun(const QString& runId, const QDateTime& ended) {
    QSqlDatabase db = this->db();
    StoreSql::run(db, m_address, "UPDATE runs SET ended = ? WHERE id = ?",
                  {Records::timeText(ended), runId});
}

void RecordStore::addUnit(const Records::Unit& unit) {
    QSqlDatabase db = this->db();
    StoreTransaction transaction(db, m_address);
    const QSqlQuery added = StoreSql::run(
        db, m_address,
        "INSERT INTO units (id, serial, run_id, port, started, ended, outcome, headline)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING",
        {unit.id, unit.serial, unit.runId, unit.port, Records::timeText(unit.started),
         Records::timeText(unit.ended), Records::outcomeName(unit.outcome), unit.headline});
    if (added.numRowsAffected() == 0)
        return; // sent before: its items are there too
    for (qsizetype i = 0; i < unit.items.size(); ++i) {
        const Records::Item& item = unit.items[i];
        StoreSql::run(db, m_address,
                      "INSERT INTO items (unit_id, position, item, wanted, found, result)"
                      " VALUES (?, ?, ?, ?, ?, ?)",
                      {unit.id, int(i), item.item, item.wanted, item.found, item.result});
    }
    transaction.commit();
}

QList<Records::Unit> RecordStore::units(const RecordFilter& filter) {
    QVariantList values;
    QString sql = QStringLiteral("SELECT ") + UnitColumns +
                  QStringLiteral(" FROM units JOIN runs ON runs.id = units.run_id") +
                  where(filter, values) + QStringLiteral(" ORDER BY units.started ") +
                  (filter.newestFirst ? QStringLiteral("DESC") : QStringLiteral("ASC"));
    if (filter.limit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(filter.limit);
    QSqlDatabase db = this->db();
    QSqlQuery query = StoreSql::run(db, m_address, sql, values);
    QList<Records::Unit> units;
    while (query.next()) {
        Records::Unit unit;
        unit.id = query.value(0).toString();
        unit.serial = query.value(1).toString();
        unit.runId = query.value(2).toString();
        unit.port = query.value(3).toString();
        unit.started = Records::timeFrom(query.value(4).toString());
        unit.ended = Records::timeFrom(query.value(5).toString());
        unit.outcome =
            Records::outcomeFrom(query.value(6).toString()).value_or(Records::Outcome::Stopped);
        unit.headline = query.value(7).toString();
        unit.station = query.value(8).toString();
        unit.operatorName = query.value(9).toString();
        unit.profileFile = query.value(10).toString();
        units << unit;
    }
    return units;
}

qsizetype RecordStore::count(const RecordFilter& filter) {
    QVariantList values;
    QSqlDatabase db = this->db();
    QSqlQuery query =
        StoreSql::run(db, m_address,
                      QStringLiteral("SELECT COUNT(*) FROM units") + where(filter, values), values);
    return query.next() ? query.value(0).toLongLong() : 0;
}

QList<Records::Item> RecordStore::items(const QString& unitId) {
    QSqlDatabase db = this->db();
    QSqlQuery query = StoreSql::run(db, m_address,
                                    "SELECT item, wanted, found, result FROM items"
                                    " WHERE unit_id = ? ORDER BY position",
                                    {unitId});
    QList<Records::Item> items;
    while (query.next())
        items << Records::Item{query.value(0).toString(), query.value(1).toString(),
                               query.value(2).toString(), query.value(3).toString()};
    return items;
}

std::optional<Records::Run> RecordStore::run(const QString& runId) {
    QSqlDatabase db = this->db();
    QSqlQuery query = StoreSql::run(db, m_address,
                                    "SELECT id, station, operator, profile_file, profile_sha256,"
                                    " profile_text, started, ended FROM runs WHERE id = ?",
                                    {runId});
    if (!query.next())
        return std::nullopt;
    return Records::Run{query.value(0).toString(),
                        query.value(1).toString(),
                        query.value(2).toString(),
                        query.value(3).toString(),
                        query.value(4).toString(),
                        query.value(5).toString(),
                        Records::timeFrom(query.value(6).toString()),
                        Records::timeFrom(query.value(7).toString())};
}
