// Renders the README's pictures: the panel after a few exchanges with the simulated encoder,
// and the settings dialog in its full layout. Usage: screenshots [output folder]
#include "SimulatedCom1.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"
#include "settings/SetSeriale.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <cstdio>

namespace {

QPushButton* button(Form1& form, const QString& command) {
    for (QPushButton* candidate : form.controls().CmdPuls)
        if (candidate->text() == command)
            return candidate;
    qFatal("no button %s", qPrintable(command));
}

void save(QWidget& widget, const QString& path) {
    if (!widget.grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    std::printf("%s\n", qPrintable(path));
}

// The operator's first minutes: read the listing, set the revolutions, choose a code and
// read the position; each press returns once its exchange is over.
void exchange(Form1& form) {
    button(form, QStringLiteral("STP"))->click();
    form.controls().TxtNR->setText(QStringLiteral("16"));
    button(form, QStringLiteral("NR"))->click();
    button(form, QStringLiteral("BIN"))->click();
    button(form, QStringLiteral("POS"))->click();
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

    SimulatedCom1 line;
    QtSerialPort port;
    Form1 form(port, [] {});
    form.Form_Load();
    form.show();
    exchange(form);
    save(form, out.filePath(QStringLiteral("panel.png")));

    SetSeriale& dialog = form.dialog();
    dialog.Setta(port);
    waitForProbe(dialog);
    dialog.AdvButton_Click();
    QCoreApplication::processEvents();
    save(dialog, out.filePath(QStringLiteral("settings.png")));
    return 0;
}
