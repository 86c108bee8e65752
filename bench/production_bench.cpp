// What a production run adds to the apply: from Enter on a serial in the run window to the
// unit's outcome shown (programmed, verified, recorded) against the apply-and-verify floor,
// and zintor-cli run on four fixtures at once against one, per unit.
#include "ApplyFloor.h"
#include "CliBench.h"
#include "ProductionRig.h"
#include "SimPanel.h"
#include "Table.h"
#include "panel/ProductionRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QString profileIn(const QTemporaryDir& dir) {
    const QString name = dir.filePath("full.profile");
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write((ApplyFloor::Items.join(u'\n') + u'\n').toLatin1()) < 0)
        std::exit(1);
    return name;
}

// Enter to PASS shown, each unit in turn.
std::vector<double> windowUnits(const QString& profile, const QString& store, int units) {
    SimPanel panel;
    ProductionRun* run = ProductionRig::start(panel.form, profile, store);
    if (!run) {
        std::fprintf(stderr, "the production run did not start\n");
        std::exit(1);
    }
    std::vector<double> ms;
    for (int n = 1; n <= units; ++n) {
        const QString serial = QStringLiteral("W%1").arg(n);
        QTest::keyClicks(run->SerialEntry, serial);
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(run->SerialEntry, Qt::Key_Return);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        if (!run->UnitOutcome->text().startsWith(QStringLiteral("PASS ") + serial)) {
            std::fprintf(stderr, "unit %s: %s\n", qPrintable(serial),
                         qPrintable(run->UnitOutcome->text()));
            std::exit(1);
        }
    }
    run->close();
    return ms;
}

// zintor-cli run with units serials on each port; the time from start to exit.
double companionRun(const CliBench& bench, const QString& profile, const QString& ports,
                    int fixtures, int units) {
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    bench.start(cli, {"run", "--profile", profile, "--port", ports, "--station", "Bench",
                      "--operator", "Ann", "--records", bench.path("cli.sqlite")});
    QByteArray serials;
    for (int n = 0; n < fixtures * units; ++n)
        serials += QStringLiteral("C%1-%2\n").arg(fixtures).arg(n).toLatin1();
    cli.write(serials);
    cli.closeWriteChannel();
    const CliBench::Run run = CliBench::finish(cli, 600000);
    if (run.status != 0) {
        std::fprintf(stderr, "zintor-cli run on %s: %s\n", qPrintable(ports), qPrintable(run.err));
        std::exit(1);
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QApplication app(argc, argv);
    const int units = argc > 1 ? std::atoi(argv[1]) : 5;
    QTemporaryDir dir;
    const QString profile = profileIn(dir);
    const double floor = ApplyFloor::ms();
    std::printf("a unit with the full profile (floor %.0f ms); median of %d units\n", floor, units);
    const double enter = median(windowUnits(profile, dir.filePath("window.sqlite"), units));
    row("run window: Enter to outcome shown, median", enter, "ms", enter / floor,
        "<= 1.02 (of floor)");

    CliBench bench(4);
    const double one = companionRun(bench, profile, "1", 1, units);
    const double four = companionRun(bench, profile, "1-4", 4, units);
    std::printf("zintor-cli run, %d units a port, start to exit\n", units);
    row("zintor-cli run, one port, per unit", one / units, "ms", one / units / floor, "");
    row("zintor-cli run, 4 ports at once, per unit and port", four / units, "ms", four / one,
        "<= 1.02 (of one port)");
    return 0;
}
