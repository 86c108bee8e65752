#include "cli/Options.h"

#include "cli/Console.h"
#include "link/SerialError.h"
#include "platform/QtSerialPort.h"
#include "service/EncoderSearch.h"
#include "service/UsageError.h"
#include "service/VisibleText.h"

#include <QCommandLineParser>

namespace {

const QStringList Operations{"send", "pos", "read", "apply", "verify", "find"};
const QStringList Flows{"none", "xon", "rts", "both"};

const QString Synopsis = QStringLiteral(
    "Reads, programs and verifies rotary encoders over RS232, one or many at once.\n"
    "\n"
    "  send COMMAND...   exchange each command as its panel button does (send NR=16 GRAY POS)\n"
    "  pos               read the position; --watch polls until Ctrl+C or --count reads\n"
    "  read              write the parameter listing (STP) as a profile of NAME=VALUE lines\n"
    "  apply PROFILE     write a profile, read it back and compare\n"
    "  verify PROFILE    read back and compare, write nothing\n"
    "  find              look for encoders: which port, which line settings; sends only POS\n"
    "  run               a production run: serial numbers from standard input, each unit\n"
    "                    programmed, verified and recorded (zintor-cli run --help)\n"
    "  records           the recorded units (zintor-cli records --help)\n"
    "\n"
    "Exit status: 0 all acknowledged and matching; 1 a command refused or a value differs;\n"
    "2 a usage or profile error; 3 a port failure; 130 stopped by Ctrl+C. With several\n"
    "ports, the largest of theirs. find: 0 an encoder found, 1 none found, 3 no port could\n"
    "be opened, 2 and 130 as above.\n"
    "COM numbers reach devices as in the panel (COM5 is /dev/ttyUSB0); ZINTOR_COM<n> points\n"
    "COM n elsewhere. Without --port, COM1; find searches COM1 to COM16 and every COM n that\n"
    "ZINTOR_COM<n> points somewhere, leaving out numbers whose device does not exist.");

int positiveCount(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1)
        throw UsageError(
            QStringLiteral("--count %1: needs a whole number from 1").arg(VisibleText::of(text)));
    return n;
}

qint16 delay(const QString& text) {
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (!ok || ms < 0 || ms > 32767)
        throw UsageError(QStringLiteral("--delay %1: needs milliseconds from 0 to 32767")
                             .arg(VisibleText::of(text)));
    return qint16(ms);
}

void checkSettings(const QString& text) {
    QtSerialPort probe;
    try {
        probe.setSettings(text);
    } catch (const SerialError& e) {
        throw UsageError(QStringLiteral("--settings %1: %2")
                             .arg(VisibleText::of(text), VisibleText::of(e.description())));
    }
}

// Options that belong to one operation only.
void refuseOutside(const QCommandLineParser& parser, const QString& option, bool allowed,
                   const QString& operation) {
    if (parser.isSet(option) && !allowed)
        throw UsageError(QStringLiteral("--%1 does not go with %2").arg(option, operation));
}

} // namespace

QString Options::operationName(Operation operation) {
    return Operations[int(operation)];
}

std::optional<Options> Options::parse(const QStringList& arguments, int* answered) {
    QCommandLineParser parser;
    parser.setApplicationDescription(Synopsis);
    const QCommandLineOption help({"h", "help"}, "Show this text and exit.");
    const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
    parser.addOptions({
        help,
        version,
        {{"p", "port"},
         "COM number, \"COM5\", device path, list \"5,6,7\" or range \"5-8\"; repeatable.",
         "P"},
        {"settings", "Line settings (default 9600,n,8,1); find tries them first.", "BAUD,P,D,S"},
        {"flow", "Flow control: none, xon, rts or both (default xon).", "FLOW"},
        {"json", "One JSON document on standard output instead of text."},
        {"trace", "Every byte sent and received, with its time in ms, to standard error."},
        {"quiet", "Only the summary line and errors."},
        {"watch", "pos: poll the position until Ctrl+C or --count reads."},
        {"delay", "pos: pause between reads (default 2).", "MS"},
        {"count", "pos: number of reads.", "N"},
        {{"o", "output"}, "read: write the profile to FILE (default standard output).", "FILE"},
        {"log", "Every exchange of the run to FILE, one tab-separated line each, all ports.",
         "FILE"},
    });
    parser.addPositionalArgument("operation", "send, pos, read, apply, verify or find",
                                 "OPERATION");
    parser.addPositionalArgument("arguments", "commands for send, the profile for apply and verify",
                                 "[ARGUMENTS...]");

    if (!parser.parse(arguments))
        throw UsageError(VisibleText::of(parser.errorText()));
    if (parser.isSet(help)) {
        Console::print(parser.helpText());
        *answered = 0;
        return std::nullopt;
    }
    if (parser.isSet(version)) {
        Console::out(QStringLiteral("zintor-cli " ZINTOR_RELEASE));
        *answered = 0;
        return std::nullopt;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        throw UsageError(QStringLiteral("no operation: send, pos, read, apply, verify or find"));
    const QString name = positional.takeFirst();
    const qsizetype index = Operations.indexOf(name);
    if (index < 0)
        throw UsageError(
            QStringLiteral("unknown operation %1: send, pos, read, apply, verify or find")
                .arg(VisibleText::quoted(name)));

    Options o;
    o.operation = Operation(index);
    switch (o.operation) {
    case Operation::Send:
        if (positional.isEmpty())
            throw UsageError(QStringLiteral("send needs at least one COMMAND"));
        o.commands = positional;
        break;
    case Operation::Apply:
    case Operation::Verify:
        if (positional.size() != 1)
            throw UsageError(QStringLiteral("%1 needs one PROFILE").arg(name));
        o.profile = positional.first();
        break;
    default:
        if (!positional.isEmpty())
            throw UsageError(QStringLiteral("%1 takes no arguments: %2")
                                 .arg(name, VisibleText::quoted(positional.first())));
    }
    const bool pos = o.operation == Operation::Pos;
    refuseOutside(parser, "watch", pos, name);
    refuseOutside(parser, "delay", pos, name);
    refuseOutside(parser, "count", pos, name);
    refuseOutside(parser, "output", o.operation == Operation::Read, name);
    const bool find = o.operation == Operation::Find;
    refuseOutside(parser, "trace", !find, name);

    o.watch = parser.isSet("watch");
    if (parser.isSet("delay"))
        o.delayMs = delay(parser.value("delay"));
    if (parser.isSet("count"))
        o.count = positiveCount(parser.value("count"));
    o.output = parser.value("output");
    o.log = parser.value("log");
    if (parser.isSet("settings"))
        o.settings = parser.value("settings");
    checkSettings(o.settings);
    if (parser.isSet("flow")) {
        o.flow = int(Flows.indexOf(parser.value("flow")));
        if (o.flow < 0)
            throw UsageError(QStringLiteral("--flow %1: none, xon, rts or both")
                                 .arg(VisibleText::of(parser.value("flow"))));
    }
    o.json = parser.isSet("json");
    o.trace = parser.isSet("trace");
    o.quiet = parser.isSet("quiet");
    if (parser.isSet("port"))
        o.ports = PortList::parse(parser.values("port"));
    else
        o.ports = find ? EncoderSearch::defaultPorts() : PortList::parse({"1"});
    if (!o.output.isEmpty() && o.ports.size() > 1)
        throw UsageError(QStringLiteral("read --output takes one port; without it the profiles "
                                        "of all ports go to standard output"));
    return o;
}
