#include "panel/Program.h"

#include "panel/Form1.h"
#include "platform/QtSerialPort.h"
#include "platform/StopSignals.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <cstdlib>

int runProgram(int& argc, char* argv[], const std::function<void()>& shown) {
    QApplication app(argc, argv);
    // A style that paints the palette colours the panel sets.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setApplicationDisplayName(QStringLiteral("Zintor"));

    QtSerialPort port;
    // Closing the window ends the program at once, even from inside a running exchange.
    Form1 form(port, [] { std::_Exit(0); });
    // A log-out, a shutdown or Ctrl+C ends the program as closing the window does. Until
    // Form_Load has set up the port, no event is processed and so no stop can run.
    StopSignals stops([&form] { form.Form_QueryUnload(); });
    form.Form_Load();
    form.show();
    if (shown)
        QTimer::singleShot(0, shown);
    return QApplication::exec();
}
