// A long run of continuous polling through the real panel and port against the simulated
// encoder: resident memory after a warm-up and at the end. Built under the sanitizers, so
// LeakSanitizer reports at exit whatever the run left behind.
#include "Memory.h"
#include "SimulatedCom1.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int WarmUp = 100;
constexpr int StallMs = 10000; // no new exchange for this long: the run is stuck

} // namespace

int main(int argc, char* argv[]) {
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QApplication app(argc, argv);
    const int total = std::max(argc > 1 ? std::atoi(argv[1]) : 2000, 2);
    const int warmUp = std::min(WarmUp, total / 2);

    SimulatedCom1 line;
    EncoderSim& encoder = line.encoder();

    QtSerialPort port;
    Form1 form(port, [] {});
    form.Form_Load();
    form.show();

    long startKb = 0, endKb = 0;
    qsizetype seen = 0;
    int stillMs = 0;
    bool stalled = false;
    qsizetype nextReport = warmUp;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qsizetype count = encoder.received().count("|POS\r");
        stillMs = count == seen ? stillMs + watch.interval() : 0;
        seen = count;
        if (startKb == 0 && count >= warmUp)
            startKb = statusKb("VmRSS");
        if (count >= nextReport) { // the course, to tell growth from a one-off step
            std::printf("%6lld exchanges: VmRSS %ld kB\n", (long long)count, statusKb("VmRSS"));
            std::fflush(stdout);
            nextReport += std::max(total / 10, 1);
        }
        stalled = stillMs >= StallMs;
        if (count >= total || stalled) {
            endKb = statusKb("VmRSS");
            form.controls().ChkCont->setChecked(false);
            watch.stop();
        }
    });
    watch.start(100);
    form.controls().ChkCont->setChecked(true);
    form.ChkCont_MouseUp(); // returns once the box is unticked

    if (stalled || startKb <= 0 || endKb <= 0) {
        std::printf("soak stopped after %lld exchanges: no progress\n", (long long)seen);
        return 1;
    }
    const double change = double(endKb - startKb) / double(startKb) * 100;
    std::printf("POS exchanges: %lld (resident memory from exchange %d on)\n", (long long)seen,
                warmUp);
    std::printf("VmRSS after warm-up: %ld kB\nVmRSS at the end:    %ld kB\nchange: %+.2f %%\n",
                startKb, endKb, change);
    return change > 5 || change < -5 ? 1 : 0;
}
