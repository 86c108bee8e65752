// Renders the README's pictures: the panel after a few exchanges with the simulated encoder,
// the settings dialog in its full layout, and the result of an apply that met a refusal.
// Usage: screenshots [output folder]
#include "ModalAnswers.h"
#include "SimPanel.h"
#include "settings/SetSeriale.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <cstdio>

namespace {

void save(QWidget& widget, const QString& path) {
    if (!widget.grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    std::printf("%s\n", qPrintable(path));
}

// The operator's first minutes: read the listing, set the revolutions, choose a code and
// read the position; each press returns once its exchange is over.
void exchange(Form1Controls& c) {
    c.command("STP")->click();
    c.TxtNR->setText(QStringLiteral("16"));
    c.command("NR")->click();
    c.command("BIN")->click();
    c.command("POS")->click();
}

// An apply to an encoder that refuses one value: the result dialog with a row to look at.
void applyRefused(SimPanel& panel, const QDir& out) {
    const QString profile = out.filePath(QStringLiteral("example.profile"));
    QFile file(profile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write("CODE=BIN\nCNT=CCLW\nPAR=EVEN\nOFST=0\nNS=8192\nNR=16\n") < 0)
        qFatal("cannot write %s", qPrintable(profile));
    file.close();
    panel.port.setPortOpen(false);
    panel.start({"--refuse", "NS"});
    ModalAnswers answers;
    answers.files << profile;
    answers.onResult = [&out](QWidget* dialog) {
        save(*dialog, out.filePath(QStringLiteral("configuration-result.png")));
    };
    panel.form.menu().ActApplyConfiguration->trigger();
    QFile::remove(profile);
}

void waitForProbe(SetSeriale& dialog) {
    QEventLoop loop;
    QObject::connect(&dialog, &SetSeriale::loadFinished, &loop, &QEventLoop::quit);
    if (dialog.loadRunning())
        loop.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    SimulatedCom1::prepare(ENCODER_SIM_PATH);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));

    SimPanel panel;
    exchange(panel.c);
    save(panel.form, out.filePath(QStringLiteral("panel.png")));

    SetSeriale& dialog = panel.form.dialog();
    dialog.Setta(panel.port);
    waitForProbe(dialog);
    dialog.AdvButton_Click();
    QCoreApplication::processEvents();
    save(dialog, out.filePath(QStringLiteral("settings.png")));
    dialog.hide();

    applyRefused(panel, out);
    return 0;
}
