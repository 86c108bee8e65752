#pragma once

#include <QtGlobal>

// The port's flow-control (Handshaking) code.
enum class Flow : quint8 {
    None = 0,
    XonXoff = 1,
    RtsCts = 2,
    Both = 3,
};
