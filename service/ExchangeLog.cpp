#include "service/ExchangeLog.h"

#include "platform/PortMap.h"
#include "service/VisibleText.h"

#include <QDateTime>
#include <QStringList>

namespace {

QString flowWord(Flow flow) {
    switch (flow) {
    case Flow::None:
        break;
    case Flow::XonXoff:
        return QStringLiteral("xon");
    case Flow::RtsCts:
        return QStringLiteral("rts");
    case Flow::Both:
        return QStringLiteral("both");
    }
    return QStringLiteral("none");
}

} // namespace

void ExchangeLog::add(LoggedExchange exchange) {
    const QMutexLocker locker(&m_lock);
    m_exchanges.push_back(std::move(exchange));
    while (qsizetype(m_exchanges.size()) > m_kept) {
        m_exchanges.pop_front();
        ++m_dropped;
    }
}

qsizetype ExchangeLog::size() const {
    const QMutexLocker locker(&m_lock);
    return qsizetype(m_exchanges.size());
}

qint64 ExchangeLog::dropped() const {
    const QMutexLocker locker(&m_lock);
    return m_dropped;
}

QString ExchangeLog::header() {
    return QStringLiteral("time\tport\tdevice\tsettings\tflow\tsent\techo\treply\tstatus\tms");
}

QString ExchangeLog::line(const LoggedExchange& e) {
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(e.at);
    const QString status =
        e.failure.isEmpty() ? e.exchange.status : QStringLiteral("failed: ") + e.failure;
    // Every text from outside goes through VisibleText, so no tab or line end splits a line.
    return QStringList{at.toOffsetFromUtc(at.offsetFromUtc()).toString(Qt::ISODateWithMs),
                       VisibleText::of(PortMap::name(e.com)),
                       VisibleText::of(e.device),
                       VisibleText::of(e.settings),
                       flowWord(e.flow),
                       VisibleText::of(e.exchange.sent),
                       VisibleText::of(e.exchange.echo),
                       VisibleText::of(e.exchange.reply),
                       VisibleText::of(status),
                       QString::number(e.ms)}
        .join(u'\t');
}

QString ExchangeLog::text() const {
    const QMutexLocker locker(&m_lock);
    QString out;
    if (m_dropped > 0)
        out += QStringLiteral("# %1 older exchanges were dropped: the log keeps the latest %2\n")
                   .arg(m_dropped)
                   .arg(m_kept);
    out += header() + u'\n';
    for (const LoggedExchange& e : m_exchanges)
        out += line(e) + u'\n';
    return out;
}
