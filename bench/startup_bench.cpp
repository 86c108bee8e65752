// Start-up: from starting the process to the panel on screen, the settings dialog's port
// probe included, and the peak resident memory until then. Each run starts this program
// again as the tool's stand-in, which runs the tool's own start and reports when shown.
#include "Memory.h"
#include "SimulatedCom1.h"
#include "Table.h"
#include "panel/Program.h"

#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int Runs = 5;
constexpr const char* ChildFlag = "--as-tool";

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The tool's start as main runs it; prints "<clock when shown> <peak kB>" and ends.
int runAsTool(int argc, char* argv[]) {
    return runProgram(argc, argv, [] {
        std::printf("%lld %ld\n", static_cast<long long>(monotonicNs()), statusKb("VmHWM"));
        std::fflush(stdout);
        std::_Exit(0);
    });
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], ChildFlag) == 0)
        return runAsTool(argc, argv);
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QCoreApplication app(argc, argv);
    SimulatedCom1 line;

    std::vector<double> ms, peakMb;
    for (int i = 0; i < Runs; ++i) {
        QProcess tool;
        tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const qint64 start = monotonicNs();
        tool.start(QCoreApplication::applicationFilePath(), {ChildFlag});
        long long shownNs = 0;
        long peakKb = 0;
        if (!tool.waitForFinished(30000) || std::sscanf(tool.readAllStandardOutput().constData(),
                                                        "%lld %ld", &shownNs, &peakKb) != 2) {
            std::fprintf(stderr, "the tool did not come up: %s\n", qPrintable(tool.errorString()));
            return 1;
        }
        ms.push_back(double(shownNs - start) / 1e6);
        peakMb.push_back(double(peakKb) / 1024);
    }
    row("Start-up to panel shown, probe included, median", median(ms), "ms", NAN, "<= 400 ms");
    row("Peak resident memory at start-up, median", median(peakMb), "MB", NAN, "<= 80 MB");
    return 0;
}
