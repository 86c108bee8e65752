#include "cli/Companion.h"

#include "cli/Console.h"
#include "cli/Finder.h"
#include "cli/PortJob.h"
#include "cli/Production.h"
#include "cli/Report.h"
#include "link/Catalogue.h"
#include "platform/StopSignals.h"
#include "service/ExchangeLog.h"
#include "service/SafeFile.h"
#include "service/UsageError.h"
#include "service/VisibleText.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <memory>
#include <vector>

namespace Companion {

namespace {

// Everything is checked before the first byte goes out.
Profile prepare(const Options& options) {
    for (const QString& command : options.commands) {
        if (const QString why = Catalogue::unsendable(command); !why.isEmpty())
            throw UsageError(QStringLiteral("send %1: holds %2, which cannot be sent")
                                 .arg(VisibleText::brief(command), why));
        if (const QString why = Catalogue::commandProblem(command); !why.isEmpty())
            throw UsageError(QStringLiteral("send %1: %2").arg(VisibleText::brief(command), why));
    }
    const bool profiled = options.operation == Options::Operation::Apply ||
                          options.operation == Options::Operation::Verify;
    return profiled ? Profile::load(options.profile) : Profile();
}

QList<PortOutcome> runAll(const Options& options, const Profile& profile, ExchangeLog* log) {
    std::atomic_bool stop{false};
    std::atomic_bool cut{false};
    const StopSignals ctrlC([&stop] { stop = true; }, [&cut] { cut = true; });
    QEventLoop loop;
    std::vector<std::unique_ptr<PortJob>> jobs;
    qsizetype running = options.ports.size();
    for (const PortRef& port : options.ports) {
        jobs.push_back(std::make_unique<PortJob>(options, port, profile, stop, cut, log));
        QObject::connect(jobs.back().get(), &QThread::finished, &loop, [&running, &loop] {
            if (--running == 0)
                loop.quit();
        });
    }
    for (const auto& job : jobs)
        job->start();
    loop.exec();
    QList<PortOutcome> outcomes;
    for (const auto& job : jobs) {
        job->wait();
        outcomes << job->outcome;
    }
    return outcomes;
}

// A profile on a terminal: the encoder's values escaped, line by line.
QString shownLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines)
        line = VisibleText::of(line);
    return lines.join(u'\n');
}

// The profiles read: to the --output file as the encoder gave them, or one after another to
// standard output. A profile that could not be written is not counted as read.
void writeProfiles(const Options& options, QList<PortOutcome>& outcomes) {
    for (PortOutcome& outcome : outcomes) {
        if (outcome.profile.isEmpty())
            continue;
        QString why;
        if (options.output.isEmpty()) {
            Console::print(shownLines(outcome.profile));
            why = Console::outFailure(); // told once, as the run ends
        } else {
            why = SafeFile::write(options.output, outcome.profile.toLatin1());
            if (!why.isEmpty())
                Console::err(QStringLiteral("zintor-cli: %1: cannot be written: %2")
                                 .arg(VisibleText::of(options.output), why));
        }
        if (!why.isEmpty())
            outcome.raise(ExitStatus::Usage, QStringLiteral("profile not written"));
    }
}

// Made before the first byte goes out, so a log that cannot be written stops the run.
std::unique_ptr<SafeFile> openLog(const Options& options) {
    if (options.log.isEmpty())
        return nullptr;
    auto file = std::make_unique<SafeFile>(options.log);
    if (!file->open())
        throw UsageError(QStringLiteral("--log %1: cannot be written: %2")
                             .arg(VisibleText::of(options.log), file->errorString()));
    return file;
}

int writeLog(SafeFile& file, const ExchangeLog& log) {
    if (file.commit(log.text().toUtf8()))
        return ExitStatus::Done;
    Console::err(QStringLiteral("zintor-cli: --log %1: cannot be written: %2")
                     .arg(VisibleText::of(file.fileName()), file.errorString()));
    return ExitStatus::Usage;
}

int report(const Options& options, QList<PortOutcome> outcomes) {
    const bool read = options.operation == Options::Operation::Read;
    if (read && (!options.json || !options.output.isEmpty()))
        writeProfiles(options, outcomes);
    int status = ExitStatus::Done;
    for (const PortOutcome& outcome : outcomes)
        status = std::max(status, outcome.status);
    if (options.json) {
        Console::print(QString::fromUtf8(
            QJsonDocument(Report::json(options.operation, outcomes, status)).toJson()));
        return status;
    }
    const bool tabled = options.operation == Options::Operation::Apply ||
                        options.operation == Options::Operation::Verify;
    if (tabled && !options.quiet)
        Console::out(Report::tables(options.operation, outcomes));
    // A profile on standard output keeps it to itself.
    const QString summary = Report::summary(options.operation, outcomes);
    if (read && options.output.isEmpty())
        Console::err(summary);
    else
        Console::out(summary);
    return status;
}

int operate(const QStringList& arguments) {
    try {
        if (arguments.value(1) == u"run" || arguments.value(1) == u"records")
            return Production::run(arguments);
        int answered = 0;
        const std::optional<Options> options = Options::parse(arguments, &answered);
        if (!options)
            return answered;
        const Profile profile = prepare(*options);
        const std::unique_ptr<SafeFile> logFile = openLog(*options);
        ExchangeLog log;
        ExchangeLog* logged = logFile ? &log : nullptr;
        const int status = options->operation == Options::Operation::Find
                               ? Finder::run(*options, logged)
                               : report(*options, runAll(*options, profile, logged));
        return logFile ? std::max(status, writeLog(*logFile, log)) : status;
    } catch (const UsageError& e) {
        Console::err(QStringLiteral("zintor-cli: %1\n(see zintor-cli --help)").arg(e.text()));
        return ExitStatus::Usage;
    }
}

} // namespace

int run(const QStringList& arguments) {
    const int status = operate(arguments);
    const QString why = Console::outFailure();
    if (why.isEmpty())
        return status;
    Console::err(QStringLiteral("zintor-cli: standard output cannot be written: ") + why);
    return std::max(status, int(ExitStatus::Usage));
}

} // namespace Companion
