// Renders the README's pictures: the panel after a few exchanges with the simulated encoder,
// and the settings dialog in its full layout. Usage: screenshots [output folder]
#include "SimPanel.h"
#include "settings/SetSeriale.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
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
    return 0;
}
