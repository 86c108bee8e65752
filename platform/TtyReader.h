#pragma once

#include "platform/SerialControl.h"

#include <QByteArray>
#include <utility>

// Reads a serial device by asking it directly, never through the event loop: bytes are
// fetched when they are wanted, and bytes arriving meanwhile wake nothing. A terminal
// descriptor on Linux, a COM handle on Windows (TtyReaderPosix.cpp, TtyReaderWindows.cpp).
class TtyReader {
public:
    enum class Outcome { Fine, HungUp, Failed };

    // Moves everything the system holds for the device into the kept bytes; reads only
    // what the system reports waiting, so it never waits.
    Outcome fetch(SerialControl::Handle handle);
    // The system error (errno, or GetLastError() on Windows) of the last Failed fetch.
    int error() const { return m_error; }

    qsizetype size() const { return m_kept.size(); }
    QByteArray take() { return std::exchange(m_kept, QByteArray()); }
    void clear() { m_kept.clear(); }
    // Adds bytes read by other means after those kept.
    void keep(const QByteArray& bytes) { m_kept += bytes; }

    // True when the device reports a hang-up or an error now.
    static bool hungUp(SerialControl::Handle handle);

private:
    QByteArray m_kept;
    int m_error = 0;
};
