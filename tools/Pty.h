#pragma once

#include <chrono>
#include <string>
#include <termios.h>

// A raw 9600-baud pseudo-terminal whose slave side stands in for the serial port.
class Pty {
public:
    // Throws std::system_error.
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    int master() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }
    // The line settings the client has put on the terminal. Throws std::system_error.
    termios slaveSettings() const;

    // Waits, at most `limit`, until the client has read everything sent so far: closing
    // the master throws away what is still unread on the slave side.
    void awaitClientRead(std::chrono::milliseconds limit) const;
    // The client sees the device vanish.
    void closeMaster();

private:
    int m_master = -1;
    // Held open for our whole life: without it, the last client closing the slave would
    // make every master read fail with EIO until someone reopens it.
    int m_slave = -1;
    std::string m_slavePath;
};
