// What the companion's apply costs: one encoder against the floor of its exchanges, and
// sixteen in parallel against one, with the processor time each port takes. In-process, on
// simulated encoders over pseudo-terminals.
#include "ApplyFloor.h"
#include "EncoderSim.h"
#include "Table.h"
#include "cli/Companion.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int Ports = 16;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Run {
    double ms;
    double cpuShare; // of one core, per port
};

Run apply(const QString& profile, const QString& ports, int count) {
    const double cpuStart = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    const int status = Companion::run({"zintor-cli", "apply", profile, "--port", ports, "--quiet"});
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (status != 0) {
        std::fprintf(stderr, "apply on %s ended with %d\n", qPrintable(ports), status);
        std::exit(1);
    }
    return {ms, (cpuSeconds() - cpuStart) * 1000 / ms / count};
}

Run median(std::vector<Run> runs) {
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.ms < b.ms; });
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("ENCODER_SIM"))
        qputenv("ENCODER_SIM", ENCODER_SIM_PATH);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;

    QTemporaryDir dir;
    std::vector<std::unique_ptr<EncoderSim>> encoders;
    for (int n = 1; n <= Ports; ++n) {
        const QString link = dir.filePath(QStringLiteral("com%1").arg(n));
        encoders.push_back(std::make_unique<EncoderSim>(link, link + ".log"));
        qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(n)), link.toUtf8());
    }
    QFile file(dir.filePath("full.profile"));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write((ApplyFloor::Items.join(u'\n') + u'\n').toLatin1());
    file.close();

    const double floor = ApplyFloor::ms();
    std::printf("apply of %s with its read-back: floor %.0f ms; median of %d runs\n",
                qPrintable(ApplyFloor::Items.join(u' ')), floor, runs);
    std::vector<Run> one, all;
    for (int i = 0; i < runs; ++i)
        one.push_back(apply(file.fileName(), "1", 1));
    for (int i = 0; i < runs; ++i)
        all.push_back(apply(file.fileName(), QStringLiteral("1-%1").arg(Ports), Ports));
    const Run single = median(one);
    const Run parallel = median(all);
    row("apply + verify, one encoder", single.ms, "ms", single.ms / floor, "<= 1.05");
    row("apply + verify, 16 encoders in parallel", parallel.ms, "ms", parallel.ms / single.ms,
        "<= 1.10 (of one)");
    row("16 encoders: share of one core per port", parallel.cpuShare * 100, "%",
        parallel.cpuShare / 0.03, "<= 1 (3 %)");
    row("one encoder: share of one core", single.cpuShare * 100, "%", single.cpuShare / 0.03,
        "<= 1 (3 %)");
    return 0;
}
