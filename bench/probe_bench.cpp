// How long the settings dialog's load step takes: the probe of COM1..COM16 through the
// real serial port, with none of them present and with one simulated encoder.
#include "QuietView.h"
#include "SimulatedCom1.h"
#include "Table.h"
#include "link/PortGate.h"
#include "platform/QtSerialPort.h"
#include "settings/SetSeriale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int Runs = 50;

void measure(const char* name, bool open, const char* target) {
    QtSerialPort port;
    port.setSettings(SerialPort::SafeSettings);
    port.setHandshaking(1);
    if (open)
        port.setPortOpen(true);
    QuietView view;
    PortGate gate(port, view);
    SetSeriale dialog(gate);
    dialog.Default(port, 9600, 0);
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        dialog.Form_Load();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    row(name, ms[ms.size() / 2], "ms", NAN, target);
}

} // namespace

int main(int argc, char* argv[]) {
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QApplication app(argc, argv);
    SimulatedCom1 line;
    const QByteArray encoder = qgetenv("ZINTOR_COM1");

    qputenv("ZINTOR_COM1", line.path(QStringLiteral("none")).toUtf8());
    measure("Probe of 16 ports, none present, median", false, "<= 100 ms");
    qputenv("ZINTOR_COM1", encoder);
    measure("Probe of 16 ports, encoder on COM1, median", false, "<= 150 ms");
    measure("Probe, encoder on COM1 open in the panel", true, "<= 150 ms");
    return 0;
}
