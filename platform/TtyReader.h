#pragma once

#include <QByteArray>
#include <utility>

// Reads a terminal descriptor by asking it directly, never through the event loop: bytes
// are fetched when they are wanted, and bytes arriving meanwhile wake nothing.
class TtyReader {
public:
    enum class Outcome { Fine, HungUp, Failed };

    // Moves everything the system holds for the descriptor into the kept bytes; reads only
    // what poll() reports, so it never waits.
    Outcome fetch(int fd);
    // The errno of the last Failed fetch.
    int error() const { return m_error; }

    qsizetype size() const { return m_kept.size(); }
    QByteArray take() { return std::exchange(m_kept, QByteArray()); }
    void clear() { m_kept.clear(); }

    // True when the descriptor reports a hang-up or an error now.
    static bool hungUp(int fd);

private:
    QByteArray m_kept;
    int m_error = 0;
};
