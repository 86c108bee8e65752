#pragma once

#include "service/RecordStore.h"

#include <QElapsedTimer>
#include <memory>

class RecordSpool;
class StoreError;

// Where a run writes its records. Into SQLite straight away; into PostgreSQL too, but while
// its server does not answer the records wait in a local spool, in order, and go out, in
// that order, before anything newer once it answers again. A record the store refuses for
// any other reason throws StoreError: the run must stop.
class RecordWriter {
public:
    // Opens the store (throws StoreError) and sends what the spool kept for it.
    explicit RecordWriter(const StoreAddress& address, const QString& spoolFile = QString());
    ~RecordWriter();

    const StoreAddress& address() const { return m_store.address(); }

    void addRun(const Records::Run& run);
    void addUnit(const Records::Unit& unit);
    void endRun(const QString& runId, const QDateTime& ended);

    // Sends what the spool holds now, whatever the time since the last try.
    void flush();
    // Records waiting in the spool for the server.
    qsizetype spooled();
    // Empty while nothing waits; else why, and where the records wait.
    QString spooling();

private:
    void write(const QString& kind, const QJsonObject& body);
    void apply(const QString& kind, const QJsonObject& body);
    // True when the spool holds nothing more for this store.
    bool send();
    // After a failed write: true when the server is away (now spooling), false when it
    // answers again.
    bool away(const StoreError& failure);

    RecordStore m_store;
    std::unique_ptr<RecordSpool> m_spool;
    QString m_away;          // why the server is thought away; empty when it answers
    QElapsedTimer m_lastTry; // a server away is tried again after a pause only
};
