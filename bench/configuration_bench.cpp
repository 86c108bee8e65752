// What an apply from the panel's menu costs against the companion's apply of the same
// profile on the same simulated encoder: the panel must add no waits of its own.
#include "ModalAnswers.h"
#include "SimPanel.h"
#include "Table.h"
#include "cli/Companion.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const QByteArray FullProfile = "CODE=BIN\nCNT=CCLW\nPAR=EVEN\nOFST=10\nNS=4096\nNR=8\n";

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// From the operator's yes to the result dialog: the dialogs before it are the operator's time.
double panelApply(SimPanel& panel, ModalAnswers& answers, const QString& profile) {
    answers.files << profile;
    answers.headline.clear();
    QElapsedTimer clock;
    answers.onConfirmed = [&] { clock.start(); };
    double ms = 0;
    answers.onResult = [&](QWidget*) { ms = double(clock.nsecsElapsed()) / 1e6; };
    panel.form.menu().ActApplyConfiguration->trigger();
    if (!answers.headline.startsWith(QStringLiteral("All 6 items"))) {
        std::fprintf(stderr, "the panel's apply ended: %s\n", qPrintable(answers.headline));
        std::exit(1);
    }
    panel.port.setPortOpen(false); // the companion opens the same device next
    return ms;
}

double companionApply(const QString& profile) {
    QElapsedTimer clock;
    clock.start();
    const int status = Companion::run({"zintor-cli", "apply", profile, "--port", "1", "--quiet"});
    if (status != 0) {
        std::fprintf(stderr, "zintor-cli apply ended with %d\n", status);
        std::exit(1);
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    QTemporaryDir dir;
    const QString profile = dir.filePath("full.profile");
    QFile file(profile);
    if (!file.open(QIODevice::WriteOnly) || file.write(FullProfile) < 0)
        return 1;
    file.close();

    SimPanel panel;
    ModalAnswers answers;
    std::vector<double> fromPanel, fromCompanion;
    for (int i = 0; i < runs; ++i) { // alternated, so both meet the same machine
        fromPanel.push_back(panelApply(panel, answers, profile));
        fromCompanion.push_back(companionApply(profile));
    }
    const double companion = median(fromCompanion);
    const double inPanel = median(fromPanel);
    std::printf("apply of a full profile with its read-back; median of %d runs each\n", runs);
    row("zintor-cli apply, one encoder", companion, "ms", NAN, "");
    row("the same apply from the panel's menu", inPanel, "ms", inPanel / companion,
        "<= 1.02 (of zintor-cli)");
    return 0;
}
