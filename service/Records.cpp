#include "service/Records.h"

#include <QUuid>
#include <array>

namespace Records {

namespace {

constexpr std::array Names{"passed", "differs", "refused", "port failure", "stopped"};

} // namespace

QString outcomeName(Outcome outcome) {
    return QString::fromLatin1(Names[std::size_t(outcome)]);
}

std::optional<Outcome> outcomeFrom(const QString& name) {
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (name == QLatin1String(Names[i]))
            return Outcome(i);
    return std::nullopt;
}

QString timeText(const QDateTime& time) {
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QDateTime timeFrom(const QString& text) {
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

QString newId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace Records
