#include "service/RecordSchema.h"

#include "service/StoreAddress.h"
#include "service/StoreError.h"
#include "service/StoreSql.h"
#include "service/StoreTransaction.h"

#include <QStringList>
#include <array>

namespace RecordSchema {

namespace {

// Migration n takes the store from version n - 1 to n. Types and statements that SQLite and
// PostgreSQL read alike; times are UTC text that sorts by time.
const std::array<QStringList, Latest> Migrations{{
    {
        "CREATE TABLE runs (id TEXT PRIMARY KEY, station TEXT NOT NULL, operator TEXT NOT NULL,"
        " profile_file TEXT NOT NULL, profile_sha256 TEXT NOT NULL, profile_text TEXT NOT NULL,"
        " started TEXT NOT NULL, ended TEXT)",
        "CREATE TABLE units (id TEXT PRIMARY KEY, serial TEXT NOT NULL,"
        " run_id TEXT NOT NULL REFERENCES runs(id), port TEXT NOT NULL,"
        " started TEXT NOT NULL, ended TEXT NOT NULL, outcome TEXT NOT NULL CHECK (outcome IN"
        " ('passed', 'differs', 'refused', 'port failure', 'stopped')), headline TEXT NOT NULL)",
        "CREATE INDEX units_serial ON units (serial)",
        "CREATE INDEX units_started ON units (started)",
        "CREATE INDEX units_run ON units (run_id)",
        "CREATE TABLE items (unit_id TEXT NOT NULL REFERENCES units(id), position INTEGER NOT "
        "NULL, item TEXT NOT NULL, wanted TEXT NOT NULL, found TEXT NOT NULL,"
        " result TEXT NOT NULL, PRIMARY KEY (unit_id, position))",
    },
}};

int version(QSqlDatabase& db, const StoreAddress& address) {
    QSqlQuery query = StoreSql::run(db, address, "SELECT MAX(version) FROM schema_version");
    return query.next() ? query.value(0).toInt() : 0;
}

} // namespace

void migrate(QSqlDatabase& db, const StoreAddress& address) {
    for (;;) {
        StoreTransaction transaction(db, address, true);
        StoreSql::run(db, address,
                      "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
        const int found = version(db, address);
        if (found > Latest)
            throw StoreError(
                QStringLiteral("%1: its records are in schema version %2, and this Zintor "
                               "knows versions up to %3; use the Zintor that made them or a "
                               "newer one")
                    .arg(address.named())
                    .arg(found)
                    .arg(Latest));
        if (found == Latest)
            return transaction.commit();
        for (const QString& statement : Migrations[std::size_t(found)])
            StoreSql::run(db, address, statement);
        StoreSql::run(db, address, "DELETE FROM schema_version");
        StoreSql::run(db, address, "INSERT INTO schema_version (version) VALUES (?)", {found + 1});
        transaction.commit();
    }
}

} // namespace RecordSchema
