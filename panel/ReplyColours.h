#pragma once

#include "link/Reply.h"
#include "platform/Colors.h"

// The status display's colour while a command is on its way, and for each kind of answer.
namespace ReplyColours {

constexpr quint32 Waiting = Colors::Teal;

constexpr quint32 of(Reply::Kind kind) {
    switch (kind) {
    case Reply::Kind::BadValue:
        return Colors::Red;
    case Reply::Kind::Unknown:
        return Colors::Yellow;
    case Reply::Kind::Acknowledged:
        return Colors::Green;
    case Reply::Kind::Other:
        return Colors::Brown;
    case Reply::Kind::Nothing:
        break;
    }
    return Colors::Black;
}

} // namespace ReplyColours
