#pragma once

#include <QString>

class QSqlDatabase;

// Where the records go: one SQLite file, or a PostgreSQL database named by a URL as libpq
// writes it, postgresql://user@host:port/dbname, with ?host=/folder for a Unix socket. The
// password never goes in the URL: libpq takes it from PGPASSWORD or ~/.pgpass, and nothing
// of it is stored here.
class StoreAddress {
public:
    // Empty text: the default file. Throws UsageError for a URL that cannot be used.
    static StoreAddress parse(const QString& text);
    // The SQLite file in the user's data folder that the window and the companion share.
    static QString defaultFile();

    bool isPostgres() const { return m_postgres; }
    // The file's path or the URL, as the operator gave it; for messages and settings.
    const QString& text() const { return m_text; }
    // Sets up a connection to it; nothing is opened yet.
    void configure(QSqlDatabase& db) const;
    // "records store /home/op/.local/share/zintor/records.sqlite"
    QString named() const;

private:
    bool m_postgres = false;
    QString m_text;
    QString m_user, m_host, m_database, m_options;
    int m_port = -1;
};
