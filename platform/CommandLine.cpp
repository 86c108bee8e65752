#include "platform/CommandLine.h"

#include "platform/ConsoleText.h"
#include "platform/PortMap.h"

#include <QDir>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int UsageExit = 2;

void print(std::FILE* stream, const QString& text) {
    std::fputs(ConsoleText::bytes(text).constData(), stream);
}

// A path under the home folder as people write it, "~/...": the manual page is made from
// this text and must not hold the home of whoever built it.
QString homeAsTilde(const QString& path) {
    const QString home = QDir::homePath();
    if (home == u"/" || !path.startsWith(home + u'/'))
        return path;
    return u'~' + path.mid(home.size());
}

} // namespace

std::optional<int> CommandLine::answer(int argc, const char* const* argv,
                                       const QString& settingsFile) {
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == u"-h" || argument == u"--help") {
            help = true;
        } else if (argument == u"-v" || argument == u"--version") {
            version = true;
        } else {
            print(stderr, QStringLiteral("zintor: unknown option '%1'\n\n").arg(argument) +
                              usage(settingsFile));
            return UsageExit;
        }
    }
    if (help) {
        print(stdout, usage(settingsFile));
        return 0;
    }
    if (version) {
        print(stdout, QStringLiteral("Zintor " ZINTOR_RELEASE "\n"));
        return 0;
    }
    return std::nullopt;
}

QString CommandLine::usage(const QString& settingsFile) {
    return QStringLiteral(
               "Usage: zintor [--help | --version]\n"
               "\n"
               "Configures a programmable rotary encoder over an RS232 serial line: choose\n"
               "the COM port and its line settings, send the encoder's commands, read its\n"
               "answers, its parameter listing and its position.\n"
               "\n"
               "%2"
               "\n"
               "The COM number in use is kept in %1\n"
               "\n"
               "Options:\n"
               "  -h, --help     show this text and exit\n"
               "  -v, --version  show the version and exit\n")
        .arg(homeAsTilde(settingsFile), PortMap::explained());
}
