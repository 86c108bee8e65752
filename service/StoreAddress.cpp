#include "service/StoreAddress.h"

#include "service/UsageError.h"
#include "service/VisibleText.h"

#include <QSqlDatabase>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace {

// The connection parameters a URL may carry besides host, port, user and dbname.
const QStringList PassedOn{"sslmode", "connect_timeout", "application_name", "sslrootcert"};
// A server that does not answer is given up on soon, so a run says it is spooling at once.
const QString DefaultTimeout = QStringLiteral("connect_timeout=5");

[[noreturn]] void refuse(const QString& text, const QString& why) {
    throw UsageError(QStringLiteral("records %1: %2").arg(VisibleText::quoted(text), why));
}

} // namespace

QString StoreAddress::defaultFile() {
    // The window's own data folder; the companion, another program, uses the same file.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zintor/records.sqlite");
}

StoreAddress StoreAddress::parse(const QString& text) {
    StoreAddress address;
    address.m_text = text.isEmpty() ? defaultFile() : text;
    if (!text.startsWith(u"postgresql://") && !text.startsWith(u"postgres://")) {
        if (text.contains(u"://"))
            refuse(text, QStringLiteral("only postgresql:// URLs or file paths"));
        return address;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        refuse(text, url.errorString());
    if (!url.password().isEmpty()) // and it is not repeated on the screen either
        throw UsageError(QStringLiteral("records %1: a password does not belong in the URL; "
                                        "put it in ~/.pgpass or PGPASSWORD")
                             .arg(url.toDisplayString(QUrl::RemovePassword)));
    address.m_postgres = true;
    address.m_user = url.userName();
    address.m_host = url.host();
    address.m_port = url.port(-1);
    address.m_database = url.path().mid(1);
    QStringList options{DefaultTimeout};
    const QUrlQuery query(url);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == u"host")
            address.m_host = value;
        else if (key == u"port")
            address.m_port = value.toInt();
        else if (key == u"user")
            address.m_user = value;
        else if (key == u"dbname")
            address.m_database = value;
        else if (PassedOn.contains(key) && !value.contains(u';'))
            options << key + u'=' + value;
        else
            refuse(text, QStringLiteral("unknown parameter %1").arg(VisibleText::quoted(key)));
    }
    if (address.m_database.isEmpty())
        refuse(text, QStringLiteral("names no database (postgresql://user@host/dbname)"));
    address.m_options = options.join(u';');
    return address;
}

void StoreAddress::configure(QSqlDatabase& db) const {
    if (!m_postgres) {
        db.setDatabaseName(m_text);
        // Another station's writer holds the file for a moment only: wait for it.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        return;
    }
    db.setDatabaseName(m_database);
    db.setUserName(m_user);
    db.setHostName(m_host); // a folder: the server's Unix socket there
    if (m_port > 0)
        db.setPort(m_port);
    db.setConnectOptions(m_options);
}

QString StoreAddress::named() const {
    return QStringLiteral("records store ") + VisibleText::of(m_text);
}
