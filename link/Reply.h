#pragma once

#include <QString>

// How the exchange reads a device reply: end mark, position, hex dump, trim and status.
// Pure functions, so they can be fed any bytes a device might send.
namespace Reply {

constexpr QChar DC1 = QChar(17);

// Colours of the status display, 0x00BBGGRR.
constexpr quint32 Waiting = 8421376;
constexpr quint32 BadValue = 255;
constexpr quint32 Unknown = 65535;
constexpr quint32 Acknowledged = 49152;
constexpr quint32 Other = 16576;
constexpr quint32 Nothing = 0;

struct Status {
    QString shown;
    quint32 colour = Nothing;
    bool acknowledged = false;
};

// The collecting loop stops on a closing DC1, or on ">" while XON/XOFF alone is in force.
bool endMarkReached(const QString& reply, int handshaking);

// The text between the first CR and the next LF (or the end); empty without a CR.
QString position(const QString& reply);

// Each character's code in upper-case hex without leading zeros, each followed by a blank.
QString hexDump(const QString& reply);

// Without flow control the closing character is dropped; with it the reply stays whole.
QString trimmed(const QString& reply, int handshaking);

// "!?" before "?" before ">", then any other text, then nothing.
Status classify(const QString& trimmedReply);

} // namespace Reply
