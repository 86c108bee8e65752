#include "service/StoreSql.h"

#include "service/StoreAddress.h"
#include "service/StoreError.h"
#include "service/VisibleText.h"

#include <QSqlError>
#include <atomic>

namespace StoreSql {

QString reason(const QSqlError& error) {
    // The server's words may span lines ("FATAL: ...\n"): one line for the operator.
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("the database gave no reason");
    return VisibleText::of(text.simplified());
}

QSqlQuery run(QSqlDatabase& db, const StoreAddress& address, const QString& sql,
              const QVariantList& values) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Without values the text goes as it is: PostgreSQL prepares queries only, not schema
    // changes or transaction control.
    bool ok = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    if (ok && !values.isEmpty()) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok)
        throw StoreError(address.named() + QStringLiteral(": ") + reason(query.lastError()));
    return query;
}

QString newConnection(const QString& kind) {
    static std::atomic_int made{0};
    return QStringLiteral("%1-%2").arg(kind).arg(++made);
}

void tryRun(QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    query.exec(sql);
}

} // namespace StoreSql
