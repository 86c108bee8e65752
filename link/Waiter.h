#pragma once

#include <QtGlobal>

// The waits of the exchange and the polling loop. They keep the window live: other
// handlers run nested inside them.
class Waiter {
public:
    virtual ~Waiter() = default;
    // Waits at least ms milliseconds (below 1 counts as 1, in the caller's variable too).
    virtual void Attendi(qint16& ms) = 0;
    // Processes pending user-interface events once and returns.
    virtual void DoEvents() = 0;
};
