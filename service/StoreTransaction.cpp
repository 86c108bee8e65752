#include "service/StoreTransaction.h"

#include "service/StoreAddress.h"
#include "service/StoreSql.h"

#include <QSqlDatabase>

namespace {

// Any number the tool alone takes: the key of its schema lock.
constexpr int SchemaLock = 0x5a696e;

} // namespace

StoreTransaction::StoreTransaction(QSqlDatabase& db, const StoreAddress& address, bool schema)
    : m_db(db), m_address(address) {
    StoreSql::run(db, address, address.isPostgres() ? "BEGIN" : "BEGIN IMMEDIATE");
    if (schema && address.isPostgres())
        StoreSql::run(db, address,
                      QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLock));
}

StoreTransaction::~StoreTransaction() {
    if (m_open)
        StoreSql::tryRun(m_db, "ROLLBACK");
}

void StoreTransaction::commit() {
    StoreSql::run(m_db, m_address, "COMMIT");
    m_open = false;
}
