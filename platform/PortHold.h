#pragma once

#include <QString>

// The tool's own hold on a serial device while a port is open, taken before anything is
// written to the device or its line settings touched. Taking it also tells whether another
// program holds the device already, by whatever means that system has for it; the means
// live in the file named for the system (PortHoldPosix.cpp, PortHoldWindows.cpp).
class PortHold {
public:
    enum class Outcome {
        Taken,    // the device is ours until release()
        Held,     // another program has it: leave it alone
        Unopened, // the device could not be opened; error() says why
    };

    PortHold() = default;
    ~PortHold() { release(); }
    PortHold(const PortHold&) = delete;
    PortHold& operator=(const PortHold&) = delete;

    Outcome take(const QString& device);
    void release();
    // The system's error code of an Unopened take.
    int error() const { return m_error; }

private:
    int m_handle = -1;
    int m_error = 0;
};
