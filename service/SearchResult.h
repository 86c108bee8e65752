#pragma once

#include "service/PortRef.h"

#include <QString>

// What the search for an encoder found on one port.
struct SearchResult {
    enum class Kind {
        Found,      // the echo was right and POS acknowledged
        Refuses,    // the echo was right, the answer was no acknowledgement
        Silent,     // the echo was right, no answer came: right settings, a device mute to POS
        NoAnswer,   // every setting tried, none answered
        CannotOpen, // busy, no permission, not there
        Failed,     // the port stopped working during the search
        Stopped,    // stopped by the operator before every setting was tried
    };

    PortRef port;
    QString device;
    Kind kind = Kind::NoAnswer;
    int tries = 0;    // settings tried
    QString settings; // Found, Refuses, Silent: the line settings it answered or echoed at
    QString position; // Found
    QString reply;    // Refuses: the answer as received
    QString failure;  // CannotOpen, Failed, Stopped at once: which port, which device, why

    // The outcome in a few words, without port and device, which are told beside it:
    // "found at 19200,O,8,1, position 1234 (9 settings tried)", the settings left out where
    // they are told beside it too; a reply's control characters written out.
    QString text(bool withSettings = true) const;
    // One word or two for the kind, for a machine: "found", "refuses", "silent" ...
    QString kindName() const;
};
