#pragma once

#include <QSqlQuery>
#include <QVariantList>

class StoreAddress;

// Statements on a records store; a failure throws StoreError naming the store and the
// database's reason.
namespace StoreSql {

QSqlQuery run(QSqlDatabase& db, const StoreAddress& address, const QString& sql,
              const QVariantList& values = {});
// For rolling back after a failure that is already being reported.
void tryRun(QSqlDatabase& db, const QString& sql);
// The database's own words for its last failure, or for the connection's.
QString reason(const QSqlError& error);
// A connection name no other connection of the process has: "records-3".
QString newConnection(const QString& kind);

} // namespace StoreSql
