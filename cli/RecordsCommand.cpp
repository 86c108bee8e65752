#include "cli/RecordsCommand.h"

#include "cli/Console.h"
#include "cli/RunOptions.h"
#include "service/RecordCsv.h"
#include "service/RecordJson.h"
#include "service/RecordStore.h"
#include "service/VisibleText.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace RecordsCommand {

namespace {

QString textLine(const Records::Unit& unit) {
    return QStringLiteral("%1  %2  %3  %4  %5")
        .arg(unit.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
             VisibleText::of(unit.serial), VisibleText::of(unit.port),
             Records::outcomeName(unit.outcome), VisibleText::of(unit.headline));
}

} // namespace

int run(const RunOptions& options) {
    RecordStore store(StoreAddress::parse(options.store));
    QList<Records::Unit> units = store.units(options.filter);
    if (options.json) {
        QJsonArray array;
        for (Records::Unit& unit : units) {
            unit.items = store.items(unit.id);
            array << RecordJson::of(unit);
        }
        Console::print(QString::fromUtf8(QJsonDocument(array).toJson()));
        return 0;
    }
    if (options.csv) {
        // CSV goes out as it is, for a spreadsheet or a quality system to read.
        Console::print(RecordCsv::header());
        for (Records::Unit& unit : units) {
            unit.items = store.items(unit.id);
            Console::print(RecordCsv::rows(unit));
        }
        return 0;
    }
    for (const Records::Unit& unit : units)
        Console::out(textLine(unit));
    return 0;
}

} // namespace RecordsCommand
