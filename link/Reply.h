#pragma once

#include "link/Flow.h"

#include <QString>

// How the exchange reads a device reply: end mark, position, hex dump, trim and status.
// Pure functions, so they can be fed any bytes a device might send.
namespace Reply {

constexpr QChar DC1 = QChar(17);

// What the device answered; the display shows each kind in a colour of its own.
enum class Kind : quint8 { BadValue, Unknown, Acknowledged, Other, Nothing };

struct Status {
    QString shown;
    Kind kind = Kind::Nothing;
};

// The collecting loop stops on a closing DC1, or on ">" while XON/XOFF alone is in force.
bool endMarkReached(const QString& reply, Flow flow);

// The text between the first CR and the next LF (or the end); empty without a CR.
QString position(const QString& reply);

// Each character's code in upper-case hex without leading zeros, each followed by a blank.
QString hexDump(const QString& reply);

// Without flow control the closing character is dropped; with it the reply stays whole.
QString trimmed(const QString& reply, Flow flow);

// "!?" before "?" before ">", then any other text, then nothing.
Status classify(const QString& trimmedReply);

} // namespace Reply
