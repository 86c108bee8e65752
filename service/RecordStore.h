#pragma once

#include "service/Records.h"
#include "service/StoreAddress.h"

#include <QDate>

class QSqlDatabase;

// Which units a look into the records wants.
struct RecordFilter {
    enum class Outcome { Any, Passed, Failed };

    QString serial; // empty: any
    QDate since;    // local days, both included; invalid: open
    QDate until;
    Outcome outcome = Outcome::Any;
    int limit = 0; // 0: all
    bool newestFirst = false;
};

// One connection to the records store, on the thread that made it. Opening creates the
// SQLite file (and its folder) on first use, in WAL mode, and brings the schema up to date.
// Every write is one transaction; every failure throws StoreError naming the store and why.
class RecordStore {
public:
    explicit RecordStore(const StoreAddress& address);
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    const StoreAddress& address() const { return m_address; }

    // Writing the same run or unit again (by its id) changes nothing.
    void addRun(const Records::Run& run);
    void endRun(const QString& runId, const QDateTime& ended);
    void addUnit(const Records::Unit& unit);

    // Units without their items.
    QList<Records::Unit> units(const RecordFilter& filter);
    qsizetype count(const RecordFilter& filter);
    QList<Records::Item> items(const QString& unitId);
    std::optional<Records::Run> run(const QString& runId);

    // Closes the connection and opens it again; false, with the reason, when the store does
    // not answer.
    bool reopen(QString* why);

private:
    void open();
    QSqlDatabase db() const;

    StoreAddress m_address;
    QString m_connection;
};
