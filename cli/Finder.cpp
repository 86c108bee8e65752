#include "cli/Finder.h"

#include "cli/Console.h"
#include "cli/Options.h"
#include "platform/StopSignals.h"
#include "service/EncoderSearch.h"
#include "service/PortOutcome.h"
#include "service/VisibleText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Finder {

namespace {

using Kind = SearchResult::Kind;

// One line per port; a failure names its device already.
QString line(const SearchResult& r) {
    const bool named = !r.failure.isEmpty();
    return r.port.label + QStringLiteral("  ") + r.text() +
           (named ? QString() : QStringLiteral("  device ") + VisibleText::of(r.device));
}

QJsonObject json(const SearchResult& r) {
    QJsonObject o{
        {"port", r.port.label}, {"device", r.device}, {"result", r.kindName()}, {"tries", r.tries}};
    if (!r.settings.isEmpty())
        o.insert("settings", r.settings);
    if (r.kind == Kind::Found)
        o.insert("position", r.position);
    if (r.kind == Kind::Refuses)
        o.insert("reply", r.reply);
    if (!r.failure.isEmpty())
        o.insert("failure", r.failure);
    return o;
}

QString ports(qsizetype count) {
    return count == 1 ? QStringLiteral("1 port") : QStringLiteral("%1 ports").arg(count);
}

bool any(const QList<SearchResult>& results, Kind kind) {
    return std::any_of(results.begin(), results.end(),
                       [kind](const SearchResult& r) { return r.kind == kind; });
}

int status(const QList<SearchResult>& results) {
    if (any(results, Kind::Stopped))
        return ExitStatus::Stopped;
    if (any(results, Kind::Found))
        return ExitStatus::Done;
    const bool noneOpened = std::all_of(results.begin(), results.end(), [](const SearchResult& r) {
        return r.kind == Kind::CannotOpen;
    });
    return noneOpened ? ExitStatus::PortFailed : ExitStatus::Refused;
}

QString summary(const QList<SearchResult>& results) {
    QStringList found;
    for (const SearchResult& r : results)
        if (r.kind == Kind::Found)
            found << r.port.label + QStringLiteral(" at ") + r.settings;
    QString text;
    if (results.isEmpty())
        text = QStringLiteral("no port to search: COM1 to COM16 lead to no device; name ports "
                              "with --port or point COM numbers with ZINTOR_COM<n>");
    else if (std::all_of(results.begin(), results.end(),
                         [](const SearchResult& r) { return r.kind == Kind::CannotOpen; }))
        text = results.size() == 1
                   ? QStringLiteral("no encoder found: the port could not be opened")
                   : QStringLiteral("no encoder found: none of the %1 could be opened")
                         .arg(ports(results.size()));
    else if (found.isEmpty())
        text = QStringLiteral("no encoder found on %1").arg(ports(results.size()));
    else
        text = QStringLiteral("%1 found: %2")
                   .arg(found.size() == 1 ? QStringLiteral("1 encoder")
                                          : QStringLiteral("%1 encoders").arg(found.size()),
                        found.join(QStringLiteral(", ")));
    if (any(results, Kind::Stopped))
        text = QStringLiteral("stopped by Ctrl+C; ") + text;
    return text;
}

} // namespace

int run(const Options& options, ExchangeLog* log) {
    EncoderSearch search(options.ports, options.settings, options.flow, log);
    const StopSignals ctrlC([&search] { search.stop(); }, [&search] { search.cut(); });
    const bool print = !options.json && !options.quiet;
    if (print)
        QObject::connect(&search, &EncoderSearch::portFinished,
                         [](const SearchResult& r) { Console::out(line(r)); });
    const QList<SearchResult> results = search.run();
    const int exit = status(results);
    if (options.json) {
        QJsonArray ports;
        for (const SearchResult& r : results)
            ports << json(r);
        const QJsonObject document{{"operation", QStringLiteral("find")},
                                   {"status", exit},
                                   {"summary", summary(results)},
                                   {"ports", ports}};
        Console::print(QString::fromUtf8(QJsonDocument(document).toJson()));
    } else if (results.isEmpty()) {
        Console::err(QStringLiteral("zintor-cli: ") + summary(results)); // a message, no result
    } else {
        Console::out(summary(results));
    }
    return exit;
}

} // namespace Finder
