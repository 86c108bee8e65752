// How close a POS exchange comes to its floor, and what continuous polling costs: the real
// panel and port against the simulated encoder on a pseudo-terminal.
#include "SimulatedCom1.h"
#include "Table.h"
#include "WireDevice.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr double PosFloorMs = (4 + 1) * 50.0 + 50.0; // "|POS": n + 1 pacing waits, one read
constexpr double PosWireFloorMs = (4 + 1) * 50.0;    // first byte to CR on the line

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The same exchanges seen from the line: from the first byte of "|POS" to its CR.
void onTheWire(Form1& form, int runs) {
    WireDevice device;
    qputenv("ZINTOR_COM1", device.path().toUtf8());
    form.MSComm1().setPortOpen(false);
    for (int i = 0; i < runs; ++i) {
        QString text = QStringLiteral("POS");
        form.Tx(text, Tipo::Position);
    }
    form.MSComm1().setPortOpen(false);
    const double span = median(device.commandSpans());
    row("POS on the wire, first byte to CR, median", span, "ms", span / PosWireFloorMs, "<= 1.05");
}

void exchanges(Form1& form, int runs) {
    std::vector<double> tx, press;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        QString text = QStringLiteral("POS");
        form.Tx(text, Tipo::Position);
        tx.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    QPushButton* pos = form.controls().command("POS");
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        pos->click(); // returns once the buttons are enabled again
        press.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    row("POS exchange, median (Tx)", median(tx), "ms", median(tx) / PosFloorMs, "<= 1.05");
    row("POS press to buttons enabled, median", median(press), "ms", median(press) / PosFloorMs,
        "<= 1.05");
}

// What the pacing costs with nothing sent: a poll's six timed waits of 50 ms and its pause
// of 2 ms. Alone, they are the floor of polling. A poll also shows four stages (sending,
// echo, collecting, reply), each one paint pass; with the position label repainted before
// four of the waits, they are the floor of anything that shows those stages.
double pacing(Form1& form, int seconds, int repaints) {
    QLabel* label = form.controls().LblPos;
    int shown = 0;
    const double cpuStart = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        for (int i = 0; i < 7; ++i) {
            if (i < repaints)
                label->setText(QString::number(shown++ % 2));
            qint16 ms = i < 6 ? 50 : 2;
            form.Attendi(ms);
        }
    }
    return (cpuSeconds() - cpuStart) / (double(clock.nsecsElapsed()) / 1e9);
}

void polling(Form1& form, const EncoderSim& encoder, int seconds, double stagesFloor) {
    const qsizetype before = encoder.received().count("|POS\r");
    QCheckBox* cont = form.controls().ChkCont;
    QTimer::singleShot(seconds * 1000, [cont] { cont->setChecked(false); });
    const double cpuStart = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    // As the operator starts it; the box takes the focus from the text box that had it.
    QTest::mouseClick(cont, Qt::LeftButton); // returns once polling has stopped
    const double wall = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuStart;
    const qsizetype reads = encoder.received().count("|POS\r") - before;
    const double floorRate = 1000.0 / (PosFloorMs + 2); // default pause of 2 ms
    row("Polling: share of one core", cpu / wall * 100, "%", cpu / wall, "<= 0.005");
    const double overFloor = cpu / wall / stagesFloor;
    row("Polling against the four-stage floor", overFloor, "x", overFloor, "~ 1");
    row("Polling: reads per second", double(reads) / wall, "/s", double(reads) / wall / floorRate,
        "~ 1 (floor rate)");
}

} // namespace

int main(int argc, char* argv[]) {
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    const int pollSeconds = argc > 2 ? std::atoi(argv[2]) : 20;

    SimulatedCom1 line;

    QtSerialPort port;
    Form1 form(port, [] {});
    form.Form_Load();
    form.show();
    std::printf("POS floor: %.0f ms; %d exchanges each way, %d s of polling\n", PosFloorMs, runs,
                pollSeconds);
    exchanges(form, runs);
    const double waits = pacing(form, pollSeconds / 2, 0);
    row("Pacing waits alone: share of one core", waits * 100, "%", NAN, "the floor of polling");
    const double stages = pacing(form, pollSeconds / 2, 4);
    row("Waits and four one-label repaints: share", stages * 100, "%", NAN, "the floor of display");
    polling(form, line.encoder(), pollSeconds, stages);
    onTheWire(form, runs);
    return 0;
}
