#include "service/RecordCsv.h"

#include <QStringList>

namespace RecordCsv {

namespace {

QString cell(const QString& text) {
    QString value = text;
    if (!value.isEmpty() && QStringLiteral("=+-@").contains(value.front()))
        value.prepend(u'\'');
    if (value.contains(u',') || value.contains(u'"') || value.contains(u'\n') ||
        value.contains(u'\r')) {
        value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        value = u'"' + value + u'"';
    }
    return value;
}

QString line(const QStringList& cells) {
    QStringList quoted;
    for (const QString& c : cells)
        quoted << cell(c);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

} // namespace

QString header() {
    return line({"unit", "serial", "outcome", "started", "ended", "port", "station", "operator",
                 "profile", "run", "headline", "item", "wanted", "found", "result"});
}

QString rows(const Records::Unit& unit) {
    const QStringList common{unit.id,
                             unit.serial,
                             Records::outcomeName(unit.outcome),
                             Records::timeText(unit.started),
                             Records::timeText(unit.ended),
                             unit.port,
                             unit.station,
                             unit.operatorName,
                             unit.profileFile,
                             unit.runId,
                             unit.headline};
    if (unit.items.isEmpty())
        return line(common + QStringList{{}, {}, {}, {}});
    QString text;
    for (const Records::Item& item : unit.items)
        text += line(common + QStringList{item.item, item.wanted, item.found, item.result});
    return text;
}

} // namespace RecordCsv
