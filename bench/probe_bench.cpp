// How long the settings dialog's load step takes: the probe of COM1..COM16 through the
// real serial port, with none of them present and with one simulated encoder.
#include "EncoderSim.h"
#include "platform/QtSerialPort.h"
#include "settings/SetSeriale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 50;

void mapPorts(const QTemporaryDir& dir, const QString& com1) {
    for (int n = 1; n <= 16; ++n)
        qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(n)),
                (n == 1 && !com1.isEmpty() ? com1 : dir.filePath("missing")).toUtf8());
}

void measure(const char* name, bool open) {
    QtSerialPort port;
    port.setSettings(QStringLiteral("9600,n,8,1"));
    port.setHandshaking(1);
    if (open)
        port.setPortOpen(true);
    SetSeriale dialog;
    dialog.Default(port, 9600, 0);
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        dialog.Form_Load();
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s median %6.2f ms   max %6.2f ms   (%d runs)\n", name, ms[ms.size() / 2],
                ms.back(), Runs);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ENCODER_SIM"))
        qputenv("ENCODER_SIM", ENCODER_SIM_PATH);
    QApplication app(argc, argv);
    QTemporaryDir dir;

    mapPorts(dir, QString());
    measure("16 ports, none present", false);

    EncoderSim encoder(dir.filePath("com1"), dir.filePath("log1"));
    mapPorts(dir, encoder.link());
    measure("16 ports, encoder on COM1", false);
    measure("16 ports, encoder on COM1 in use, open", true);
    return 0;
}
