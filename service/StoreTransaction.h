#pragma once

class QSqlDatabase;
class StoreAddress;

// One transaction on a records store, rolled back unless committed. On SQLite it takes the
// write lock at once, so two stations never both read before writing and then collide;
// on PostgreSQL a lock of the tool's own serialises schema changes between stations.
class StoreTransaction {
public:
    // Throws StoreError naming the store.
    StoreTransaction(QSqlDatabase& db, const StoreAddress& address, bool schema = false);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    void commit();

private:
    QSqlDatabase& m_db;
    const StoreAddress& m_address;
    bool m_open = true;
};
