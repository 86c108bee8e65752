#include "link/SearchTry.h"

#include "link/Exchange.h"
#include "link/SerialPort.h"
#include "link/Waiter.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// Time for the device to turn a character round, on top of the bits on the wire.
constexpr double TurnaroundMs = 10;

void pause(Waiter& waiter, qint16 ms) {
    waiter.Attendi(ms);
}

// How long an echo takes to come back at these settings ("300,E,8,1"): two character
// times and the turnaround; 0 for a text not in the comma-separated form.
qint16 roundTripMs(const QString& settings) {
    const QStringList fields = settings.split(u',');
    if (fields.size() != 4)
        return 0;
    const double baud = fields[0].toDouble();
    const int data = fields[2].toInt();
    const double stop = fields[3].toDouble();
    if (baud <= 0 || data <= 0 || stop <= 0)
        return 0;
    const int parity = fields[1].compare(QStringLiteral("n"), Qt::CaseInsensitive) == 0 ? 0 : 1;
    const double bits = 1 + data + parity + stop;
    return qint16(std::min(std::ceil(2 * bits * 1000 / baud + TurnaroundMs), 1000.0));
}

} // namespace

qint16 SearchTry::echoWaitMs(const QString& settings) {
    return std::max(CharacterPause, roundTripMs(settings));
}

SearchTry::Result SearchTry::run(SerialPort& port, Waiter& waiter) {
    port.discardOutput();
    port.discardInput();
    if (!port.portOpen())
        port.setPortOpen(true);
    const qint16 echoWait = echoWaitMs(port.settings());
    const QString framed = u'|' + Command;

    Result result;
    result.sent = framed.left(1);
    port.output(framed.left(1));
    pause(waiter, CharacterPause);
    result.echo = port.input();
    // On a slow line the echo of "|" may still be on its way back.
    if (result.echo.isEmpty() && echoWait > CharacterPause) {
        pause(waiter, qint16(echoWait - CharacterPause));
        result.echo = port.input();
    }
    if (result.echo != framed.left(1))
        return result;

    result.sent = framed;
    for (const QChar c : Command) {
        port.output(QString(c));
        pause(waiter, CharacterPause);
    }
    pause(waiter, CharacterPause);
    // The pause after the last character outlasts its way there and back at 300 baud.
    result.echo += port.input();
    if (result.echo != framed)
        return result;

    port.output(QStringLiteral("\r"));
    result.verdict = Verdict::Answered;
    collect(port, waiter, result);
    return result;
}

// As the panel collects: up to its number of reads, 50 ms apart, until the end mark.
void SearchTry::collect(SerialPort& port, Waiter& waiter, Result& result) {
    const Flow flow = Flow(port.handshaking());
    bool ended = false;
    for (int read = 0; read < Exchange::MaxReads && !ended; ++read) {
        pause(waiter, CharacterPause);
        result.reply += port.input();
        ended = Reply::endMarkReached(result.reply, flow);
    }
    // Without flow control the last character is trimmed; this keeps a ">" in place.
    QString kept = result.reply;
    if (!ended && kept.endsWith(u'>'))
        kept += u'<';
    result.status = Reply::classify(Reply::trimmed(kept, flow));
    result.position = Reply::position(result.reply);
}
