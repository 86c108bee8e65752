#include "service/RecordSpool.h"

#include "service/StoreError.h"
#include "service/StoreSql.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>

QString RecordSpool::defaultFile() {
    return QFileInfo(StoreAddress::defaultFile()).absolutePath() + QStringLiteral("/spool.sqlite");
}

RecordSpool::RecordSpool(const QString& file, const QString& store)
    : m_address(StoreAddress::parse(file)), m_store(store),
      m_connection(StoreSql::newConnection(QStringLiteral("spool"))) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_address.configure(db);
    const QString named = QStringLiteral("spool ") + m_address.text();
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !db.open())
        throw StoreError(named + QStringLiteral(": ") + StoreSql::reason(db.lastError()));
    StoreSql::run(db, m_address, "PRAGMA journal_mode=WAL");
    StoreSql::run(db, m_address, "PRAGMA synchronous=FULL");
    StoreSql::run(db, m_address,
                  "CREATE TABLE IF NOT EXISTS spool (seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                  " store TEXT NOT NULL, kind TEXT NOT NULL, body TEXT NOT NULL)");
}

RecordSpool::~RecordSpool() {
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

void RecordSpool::add(const QString& kind, const QJsonObject& body) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    StoreSql::run(
        db, m_address, "INSERT INTO spool (store, kind, body) VALUES (?, ?, ?)",
        {m_store, kind, QString::fromUtf8(QJsonDocument(body).toJson(QJsonDocument::Compact))});
}

QList<RecordSpool::Entry> RecordSpool::oldest(int limit) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query = StoreSql::run(
        db, m_address, "SELECT seq, kind, body FROM spool WHERE store = ? ORDER BY seq LIMIT ?",
        {m_store, limit});
    QList<Entry> entries;
    while (query.next())
        entries << Entry{query.value(0).toLongLong(), query.value(1).toString(),
                         QJsonDocument::fromJson(query.value(2).toString().toUtf8()).object()};
    return entries;
}

void RecordSpool::remove(qint64 seq) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    StoreSql::run(db, m_address, "DELETE FROM spool WHERE seq = ?", {seq});
}

qsizetype RecordSpool::count() {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query =
        StoreSql::run(db, m_address, "SELECT COUNT(*) FROM spool WHERE store = ?", {m_store});
    return query.next() ? query.value(0).toLongLong() : 0;
}
