// What zintor-cli find costs on sixteen ports: with one encoder left at 19200,O,8,1 among
// ports with nothing attached, the same with a device that echoes but never answers on one
// of them, and with nothing attached anywhere. Against the floor of the tries: ports are
// searched side by side, so the floor is the largest sum of one port's tries' least costs
// (a try without echo waits for it once; the try that finds waits as a POS exchange does).
#include "EncoderSim.h"
#include "SimulatedCom1.h"
#include "Table.h"
#include "link/SearchTry.h"
#include "service/SearchOrder.h"
#include "tools/Pty.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int Ports = 16;
constexpr int Encoder = 9; // the COM number the encoder is on
constexpr int Mute = 3;    // the COM number of the device that echoes but never answers
const QString EncoderSettings = QStringLiteral("19200,O,8,1");
const QString Start = QStringLiteral("9600,n,8,1"); // zintor-cli's default, as the panel starts

// "|POS": four framed characters, a pause after each and one more, then one read.
constexpr double FoundTryMs = (4 + 1) * 50.0 + 50.0;

double silentPortFloorMs() {
    double sum = 0;
    for (const QString& settings : SearchOrder::settings(Start))
        sum += SearchTry::echoWaitMs(settings);
    return sum;
}

double encoderPortFloorMs() {
    const QStringList order = SearchOrder::settings(Start);
    double sum = FoundTryMs;
    for (const QString& settings : order.mid(0, order.indexOf(EncoderSettings)))
        sum += SearchTry::echoWaitMs(settings);
    return sum;
}

// One run of the program: its wall time, or the end of the benchmark if it misjudged.
double find(const QProcessEnvironment& env, int expectedStatus) {
    QProcess cli;
    cli.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(ZINTOR_CLI_PATH), {"find", "--quiet"});
    cli.waitForFinished(60000);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (cli.exitCode() != expectedStatus) {
        std::fprintf(stderr, "find ended with %d: %s\n", cli.exitCode(),
                     cli.readAllStandardOutput().constData());
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char* argv[]) {
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;

    // Nothing attached: a terminal nobody reads or answers.
    std::vector<std::unique_ptr<Pty>> silent;
    QProcessEnvironment empty = QProcessEnvironment::systemEnvironment();
    for (int n = 1; n <= Ports; ++n) {
        silent.push_back(std::make_unique<Pty>());
        empty.insert(QStringLiteral("ZINTOR_COM%1").arg(n),
                     QString::fromStdString(silent.back()->slavePath()));
    }
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com%1").arg(Encoder));
    const EncoderSim encoder(link, link + ".log", {"--line", EncoderSettings.toLower()});
    QProcessEnvironment one = empty;
    one.insert(QStringLiteral("ZINTOR_COM%1").arg(Encoder), link);
    const QString muteLink = dir.filePath(QStringLiteral("com%1").arg(Mute));
    const EncoderSim mute(muteLink, muteLink + ".log", {"--silent"});
    QProcessEnvironment withMute = one;
    withMute.insert(QStringLiteral("ZINTOR_COM%1").arg(Mute), muteLink);

    const double floor = std::max(silentPortFloorMs(), encoderPortFloorMs());
    std::printf("zintor-cli find on %d ports (%lld settings each): floor %.0f ms; median of %d "
                "runs\n",
                Ports, static_cast<long long>(SearchOrder::settings(Start).size()), floor, runs);
    std::vector<double> found, muted, nothing;
    for (int i = 0; i < runs; ++i)
        found.push_back(find(one, 0));
    for (int i = 0; i < runs; ++i)
        muted.push_back(find(withMute, 0));
    for (int i = 0; i < runs; ++i)
        nothing.push_back(find(empty, 1));
    const double foundMs = median(found);
    const double mutedMs = median(muted);
    const double nothingMs = median(nothing);
    row("find: one encoder at 19200,O,8,1 among 16 ports", foundMs, "ms", foundMs / floor,
        "<= 5000 ms");
    // The mute device is told at its first try, well within the ports with nothing attached.
    row("find: the same, and a mute device on COM3", mutedMs, "ms", mutedMs / floor, "<= 5000 ms");
    row("find: nothing found on 16 empty ports", nothingMs, "ms", nothingMs / floor, "<= 5000 ms");
    return 0;
}
