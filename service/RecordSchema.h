#pragma once

class QSqlDatabase;
class StoreAddress;

// The records store's tables, made and brought up to date by numbered migrations, each in
// one transaction, with the version reached in a table of its own. A store whose version
// is newer than this tool's is refused, naming both versions, and left untouched.
namespace RecordSchema {

constexpr int Latest = 1;

// Throws StoreError.
void migrate(QSqlDatabase& db, const StoreAddress& address);

} // namespace RecordSchema
