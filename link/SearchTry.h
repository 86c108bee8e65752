#pragma once

#include "link/Reply.h"

#include <QString>

class SerialPort;
class Waiter;

// One try of the search for an encoder: "|POS" and CR with the framing and 50 ms pacing of
// a press, on the port's present line settings. It ends as soon as the echo of "|" is
// wrong, so a wrong setting or a silent port costs one character's pacing, not a whole
// exchange. Only POS is ever sent: the search never changes a device.
class SearchTry {
public:
    enum class Verdict {
        WrongEcho, // no echo, or not the bytes sent: these settings cannot be the device's
        Answered,  // the echo was right; the reply tells the rest
    };

    struct Result {
        Verdict verdict = Verdict::WrongEcho;
        QString sent;  // "|", or "|POS" once the echo of "|" was right
        QString echo;  // what came back for the framed command
        QString reply; // as received, before trimming
        Reply::Status status;
        QString position;

        bool acknowledged() const {
            return verdict == Verdict::Answered && status.kind == Reply::Kind::Acknowledged;
        }
    };

    // The command every try sends, without its "|".
    static inline const QString Command = QStringLiteral("POS");
    static constexpr qint16 CharacterPause = 50;

    // Opens the port if needed. Port failures throw SerialError.
    static Result run(SerialPort& port, Waiter& waiter);

    // How long a try waits for the echo of "|" at these settings ("300,E,8,1"): the pacing,
    // or at 300 baud the longer time a character takes there and back. The least a try
    // that meets no echo costs.
    static qint16 echoWaitMs(const QString& settings);

private:
    static void collect(SerialPort& port, Waiter& waiter, Result& result);
};
