#include "panel/Form1.h"
#include "platform/CommandLine.h"
#include "platform/QtSerialPort.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (const auto exitCode =
            CommandLine::answer(argc, argv, SettingsStore::fileName(Form1::Application)))
        return *exitCode;
    QApplication app(argc, argv);
    // A style that paints the palette colours the panel sets.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationDisplayName(QStringLiteral("Zintor"));

    QtSerialPort port;
    // Closing the window ends the program at once, even from inside a running exchange.
    Form1 form(port, [] { std::_Exit(0); });
    form.Form_Load();
    form.show();
    return QApplication::exec();
}
