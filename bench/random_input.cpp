// The real panel and port against the simulated encoder under random input from a seeded
// generator, for a number of minutes: no crash, no file emptied, no window stacked on one of
// its kind, no freeze, one configuration progress at most. Every file and print dialog is
// answered inside a scratch folder, which also holds the home, the settings and the working
// folder; some saves go to a small full file system. Exits non-zero when an invariant failed.
#include "FullDisk.h"
#include "Heartbeat.h"
#include "KeptFiles.h"
#include "RandomUser.h"
#include "ScratchAnswers.h"
#include "SimulatedCom1.h"
#include "Verdict.h"
#include "WindowWatch.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <unistd.h>

namespace {

// Every wait of the window lets the event loop run, so none excuses a late tick.
constexpr qint64 AllowanceMs = 3000;
constexpr int RestLimitMs = 60000; // for the windows to close and the work to end

const QStringList Suffixes{"profile", "pdf", "tsv", "csv", "txt"};
const QByteArray Approved = "CODE=BIN\nCNT=CCLW\nPAR=EVEN\nOFST=0\nNS=4096\nNR=64\n";

timespec startedAt;
unsigned long long crashSeed = 0;

// A crash reported as the other failures are, then the default action (a core, the status).
void crashed(int number) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char text[160];
    const int length =
        std::snprintf(text, sizeof text, "FAILED after %ld s (seed %llu): no crash: signal %d\n",
                      long(now.tv_sec - startedAt.tv_sec), crashSeed, number);
    if (length > 0 && ::write(STDOUT_FILENO, text, std::size_t(length)) < 0)
        ::_exit(128 + number);
    std::signal(number, SIG_DFL);
    std::raise(number);
}

void onCrash(quint64 seed) {
    clock_gettime(CLOCK_MONOTONIC, &startedAt);
    crashSeed = seed;
    for (int number : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(number, crashed);
}

// Home, settings, data, caches, temporary files and the working folder, all in the scratch.
void confine(const QDir& scratch) {
    for (const char* name : {"home", "config", "data", "cache", "state", "runtime", "tmp", "work"})
        scratch.mkpath(QString::fromLatin1(name));
    const auto set = [&](const char* variable, const char* folder) {
        qputenv(variable, scratch.filePath(QString::fromLatin1(folder)).toUtf8());
    };
    set("HOME", "home");
    set("XDG_CONFIG_HOME", "config");
    set("XDG_DATA_HOME", "data");
    set("XDG_CACHE_HOME", "cache");
    set("XDG_STATE_HOME", "state");
    set("XDG_RUNTIME_DIR", "runtime");
    set("TMPDIR", "tmp");
    QFile::setPermissions(scratch.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QDir::setCurrent(scratch.filePath("work")))
        qFatal("cannot work in %s", qPrintable(scratch.filePath("work")));
}

void write(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file));
}

QByteArray keptBytes(const QString& suffix) {
    return suffix == u"profile" ? Approved : "kept " + suffix.toLatin1() + " file\n";
}

QtMessageHandler qtOwn = nullptr;

// The offscreen platform says what it cannot do (raise, size hints) for every dialog;
// anything else Qt says is shown.
void quieter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(u"This plugin does not support "))
        qtOwn(type, context, message);
}

void printCounts(const char* heading, const QMap<QString, int>& counts) {
    int total = 0;
    for (int count : counts)
        total += count;
    std::printf("%-44s %8d\n", heading, total);
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        std::printf("    %-40s %8d\n", qPrintable(it.key()), it.value());
}

} // namespace

int main(int argc, char* argv[]) {
    const double minutes = argc > 1 ? std::atof(argv[1]) : 1;
    const quint64 seed = argc > 2
                             ? std::strtoull(argv[2], nullptr, 10)
                             : (quint64(std::random_device{}()) << 32) | std::random_device{}();
    std::printf("random input for %g minutes, seed %llu (to repeat: random-input %g %llu)\n",
                minutes, static_cast<unsigned long long>(seed), minutes,
                static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    onCrash(seed);

    QTemporaryDir scratchDir;
    const QDir scratch(scratchDir.path());
    confine(scratch);
    scratch.mkpath("saves");
    scratch.mkpath("profiles");
    FullDisk disk("256k"); // first: the threads started later see it mounted too
    ScratchAnswers::Places places{scratch.filePath("saves"), {}, {}};
    for (const QString& suffix : Suffixes) {
        write(scratch.filePath("saves/kept." + suffix), keptBytes(suffix));
        if (disk.mounted())
            disk.write("kept." + suffix, keptBytes(suffix));
    }
    if (disk.mounted()) {
        disk.fill();
        places.full = QFileInfo(disk.path("kept.pdf")).absolutePath();
    } else {
        std::printf("no full disk: %s\n", qPrintable(disk.why()));
    }
    write(scratch.filePath("profiles/approved.profile"), Approved);
    write(scratch.filePath("profiles/odd.profile"), "CODE=BIN\nNS=4096\nNS=8192\n\x01\x7f");
    places.opened << scratch.filePath("profiles/approved.profile")
                  << scratch.filePath("profiles/odd.profile")
                  << scratch.filePath("saves/kept.profile");

    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    qtOwn = qInstallMessageHandler(quieter);
    QApplication app(argc, argv);
    Verdict verdict(seed);
    KeptFiles kept(verdict);
    for (const QString& suffix : Suffixes) {
        kept.keepNonEmpty(scratch.filePath("saves/kept." + suffix));
        if (disk.mounted())
            kept.keepExactly(disk.path("kept." + suffix));
    }
    // A lock file of its own, so that runs side by side (and tests) never share one.
    SimulatedCom1 line({}, QStringLiteral("com1-%1").arg(QCoreApplication::applicationPid()));
    QtSerialPort port;
    const QString panelOpen = QStringLiteral("the panel stays open");
    verdict.watch(panelOpen);
    Form1 form(port, [&] { verdict.fail(panelOpen, QStringLiteral("the program was ended")); });
    form.Form_Load();
    form.show();

    Heartbeat heartbeat(verdict, AllowanceMs);
    WindowWatch windows(verdict);
    ScratchAnswers answers(seed ^ 0x5eed, places);
    RandomUser user(seed, form);
    user.start();

    QElapsedTimer clock;
    clock.start();
    QTimer minute;
    QObject::connect(&minute, &QTimer::timeout, [&] {
        std::printf("%5.1f min: %lld commands at the encoder\n", double(clock.elapsed()) / 60000,
                    static_cast<long long>(line.encoder().received().count('\r')));
        std::fflush(stdout);
    });
    minute.start(60000);

    // At the end the user closes what is open, unticks Cont and waits for the work to end.
    const QString rest = QStringLiteral("the window comes to rest");
    verdict.watch(rest);
    QTimer windDown;
    qint64 windingSince = 0;
    QObject::connect(&windDown, &QTimer::timeout, [&] {
        form.controls().ChkCont->setChecked(false);
        bool quiet = !QApplication::activeModalWidget() && form.actionLock().workAllowed() &&
                     !form.timerRunning();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != &form && top->isVisible() && top->windowType() != Qt::ToolTip) {
                top->close();
                quiet = false;
            }
        if (quiet)
            return QCoreApplication::exit(0);
        if (clock.elapsed() - windingSince > RestLimitMs) {
            verdict.fail(rest, QStringLiteral("work or windows still open a minute after the end"));
            windDown.stop();
            QCoreApplication::exit(1);
        }
    });
    const std::chrono::milliseconds runFor(qint64(minutes * 60000));
    QTimer::singleShot(runFor, &app, [&] {
        user.stop();
        windingSince = clock.elapsed();
        windDown.start(300);
    });
    // The report, once the window is at rest, or a while after it failed to come to rest.
    const auto report = [&] {
        windDown.stop();
        kept.look();
        if (disk.mounted() && disk.names().size() != Suffixes.size())
            verdict.fail(QStringLiteral("no file emptied"),
                         QStringLiteral("the full disk holds %1").arg(disk.names().join(", ")));
        std::printf("\n%-44s %8.1f\n%-44s %8.1f\n", "minutes of random input", minutes,
                    "minutes in all, to rest", double(clock.elapsed()) / 60000);
        printCounts("inputs given", user.given());
        std::printf("%-44s %8lld\n", "commands the encoder received",
                    static_cast<long long>(line.encoder().received().count('\r')));
        printCounts("file and print dialogs answered", answers.given());
        printCounts("windows opened", windows.opened());
        std::printf("%-44s %8lld ms\n", "worst heartbeat delay",
                    static_cast<long long>(heartbeat.worstLateMs()));
        std::printf("invariants (seed %llu):\n", static_cast<unsigned long long>(seed));
        for (auto it = verdict.failures().cbegin(); it != verdict.failures().cend(); ++it)
            std::printf("    %-40s %s\n", qPrintable(it.key()),
                        qPrintable(it.value() == 0
                                       ? QStringLiteral("held")
                                       : QStringLiteral("FAILED %1 times").arg(it.value())));
        std::printf("%s\n", verdict.held() ? "every invariant held" : "SOME INVARIANT FAILED");
        if (!verdict.held()) {
            scratchDir.setAutoRemove(false);
            std::printf("scratch folder kept: %s\n", qPrintable(scratch.path()));
        }
        std::fflush(stdout);
        return verdict.held() ? 0 : 1;
    };
    // Waits that never end keep app.exec() from returning: the report comes all the same.
    QTimer::singleShot(runFor + 2 * std::chrono::milliseconds(RestLimitMs), &app, [&] {
        const int status = report();
        line.stop();
        std::_Exit(status);
    });
    app.exec();
    return report();
}
