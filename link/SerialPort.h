#pragma once

#include <QString>

// The serial port object the panel and the settings dialog work on (the MSComm1 of the
// panel). Every operation that can fail throws SerialError. All reading is by polling:
// callers never get notifications.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // COM number. Setting a number that cannot be selected throws.
    virtual void setCommPort(int number) = 0;
    virtual int commPort() const = 0;

    // The line settings the panel starts with and an exchange falls back to after a late echo.
    static inline const QString SafeSettings = QStringLiteral("9600,n,8,1");

    // "baud,parity,data,stop" such as "9600,n,8,1"; the getter returns the text last set.
    // An invalid text throws and leaves the previous settings in force.
    virtual void setSettings(const QString& text) = 0;
    virtual QString settings() const = 0;

    // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both. With 1 or 3 received DC1/DC3 are consumed
    // by the port and output stops after DC3 until DC1; setting 0 releases held output.
    virtual void setHandshaking(int code) = 0;
    virtual int handshaking() const = 0;

    // Opening a missing or busy port throws.
    virtual void setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;

    // Never fail, also on a closed port.
    virtual void discardOutput() = 0;
    virtual void discardInput() = 0;

    // Everything the system has received at this moment; 0 when nothing has arrived.
    virtual int inBufferCount() = 0;
    // One byte per character (Latin-1; others go out as '?'), in order, on the wire at once.
    virtual void output(const QString& text) = 0;
    // Returns and removes everything received so far; empty when nothing.
    virtual QString input() = 0;

    // Start-up configuration. Ports whose reads return everything waiting (QtSerialPort,
    // the test ports) take the two sizes and do nothing with them.
    virtual void setRtsEnable(bool on) = 0;
    virtual void setInBufferSize(int bytes) = 0;
    virtual void setInputLen(int chars) = 0;
};
