#include "cli/RunOptions.h"

#include "cli/Console.h"
#include "service/UsageError.h"
#include "service/VisibleText.h"

#include <QCommandLineParser>

namespace {

const QString RunHelp = QStringLiteral(
    "Programs and verifies one approved profile into unit after unit, one serial number a\n"
    "line from standard input, and records every unit. With several ports, serials go to the\n"
    "ports in turn and each port starts as soon as it has one.\n"
    "Exit status: 0 every unit passed; 1 a unit failed; 2 a usage error, a refused serial\n"
    "number, or a records store that cannot be written; 3 a port failure; 130 Ctrl+C.");
const QString RecordsHelp = QStringLiteral(
    "Lists the recorded units, oldest first: text, --csv (one row per item) or --json.");

QDate date(const QString& option, const QString& text) {
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (!day.isValid())
        throw UsageError(QStringLiteral("--%1 %2: needs a date such as 2026-12-08")
                             .arg(option, VisibleText::of(text)));
    return day;
}

// A name from the command line as the store will keep it.
QString name(const QCommandLineParser& parser, const QString& option) {
    const QString value = parser.value(option).trimmed();
    if (value.isEmpty() || value.size() > 100)
        throw UsageError(QStringLiteral("run needs --%1 NAME (1 to 100 characters)").arg(option));
    for (const QChar c : value)
        if (!c.isPrint())
            throw UsageError(QStringLiteral("--%1 %2: holds a character that is not printable")
                                 .arg(option, VisibleText::of(value)));
    return value;
}

} // namespace

std::optional<RunOptions> RunOptions::parse(const QStringList& arguments) {
    RunOptions o;
    o.records = arguments.value(1) == u"records";
    QCommandLineParser parser;
    parser.setApplicationDescription(o.records ? RecordsHelp : RunHelp);
    parser.addHelpOption();
    parser.addOption({"records",
                      "Records store: a SQLite file or postgresql://user@host:port/db "
                      "(default: ~/.local/share/zintor/records.sqlite).",
                      "FILE|URL"});
    if (o.records) {
        parser.addOptions({{"serial", "Only this serial number.", "S"},
                           {"since", "Units from this day (YYYY-MM-DD).", "DATE"},
                           {"until", "Units up to this day, included.", "DATE"},
                           {"outcome", "passed or failed.", "O"},
                           {"csv", "CSV, one row per item."},
                           {"json", "One JSON document."}});
    } else {
        parser.addOptions(
            {{"profile", "The approved profile.", "FILE"},
             {{"p", "port"}, "COM number, device path, list or range; repeatable.", "P"},
             {"station", "This station's name, recorded with the run.", "NAME"},
             {"operator", "The operator's name, recorded with the run.", "NAME"},
             {"allow-repeat", "Program a serial number seen earlier in the run."},
             {"settings", "Line settings (default 9600,n,8,1).", "BAUD,P,D,S"},
             {"flow", "Flow control: none, xon, rts or both.", "FLOW"}});
    }
    parser.addPositionalArgument(o.records ? "records" : "run", "the operation");
    if (!parser.parse(arguments))
        throw UsageError(VisibleText::of(parser.errorText()));
    if (parser.isSet("help")) {
        Console::print(parser.helpText());
        return std::nullopt;
    }
    if (parser.positionalArguments().size() != 1)
        throw UsageError(QStringLiteral("%1 takes no arguments: %2")
                             .arg(arguments.value(1),
                                  VisibleText::quoted(parser.positionalArguments().value(1))));
    o.store = parser.value("records");
    if (o.records) {
        o.filter.serial = parser.value("serial").trimmed();
        if (parser.isSet("since"))
            o.filter.since = date("since", parser.value("since"));
        if (parser.isSet("until"))
            o.filter.until = date("until", parser.value("until"));
        const QString outcome = parser.value("outcome");
        if (outcome == u"passed")
            o.filter.outcome = RecordFilter::Outcome::Passed;
        else if (outcome == u"failed")
            o.filter.outcome = RecordFilter::Outcome::Failed;
        else if (!outcome.isEmpty())
            throw UsageError(
                QStringLiteral("--outcome %1: passed or failed").arg(VisibleText::of(outcome)));
        o.csv = parser.isSet("csv");
        o.json = parser.isSet("json");
        if (o.csv && o.json)
            throw UsageError(QStringLiteral("--csv and --json do not go together"));
        return o;
    }
    if (!parser.isSet("profile") || !parser.isSet("port"))
        throw UsageError(QStringLiteral("run needs --profile FILE and --port P"));
    o.station = name(parser, "station");
    o.operatorName = name(parser, "operator");
    o.allowRepeat = parser.isSet("allow-repeat");
    // The ports, line settings and profile exactly as apply reads them.
    QStringList apply{arguments.first(), "apply", parser.value("profile")};
    for (const QString& port : parser.values("port"))
        apply << "--port" << port;
    for (const char* option : {"settings", "flow"})
        if (parser.isSet(option))
            apply << QStringLiteral("--") + QLatin1String(option) << parser.value(option);
    int answered = 0;
    o.port = *Options::parse(apply, &answered);
    return o;
}
