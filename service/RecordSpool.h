#pragma once

#include "service/StoreAddress.h"

#include <QJsonObject>
#include <QList>

// Records a PostgreSQL server could not take yet, kept in order in a local SQLite file until
// it answers again. Several stores may share one spool; each entry says which it is for.
class RecordSpool {
public:
    struct Entry {
        qint64 seq = 0;
        QString kind; // "run", "unit" or "end"
        QJsonObject body;
    };

    // Throws StoreError naming the spool.
    RecordSpool(const QString& file, const QString& store);
    ~RecordSpool();
    RecordSpool(const RecordSpool&) = delete;
    RecordSpool& operator=(const RecordSpool&) = delete;

    static QString defaultFile();
    const QString& file() const { return m_address.text(); }

    void add(const QString& kind, const QJsonObject& body);
    // The store's oldest entries first.
    QList<Entry> oldest(int limit);
    void remove(qint64 seq);
    qsizetype count();

private:
    StoreAddress m_address;
    QString m_store;
    QString m_connection;
};
