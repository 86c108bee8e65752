#pragma once

#include "tools/Pty.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <termios.h>

// The device end of a pseudo-terminal, with COM7 mapped to the port end while it lives.
// COM7 names a private link to the port end: QSerialPort's lock file is named after the
// path, and a parallel test process may get the same pty number as soon as it is free.
class Com7Device {
public:
    static constexpr int Com = 7;
    static constexpr const char* Variable = "ZINTOR_COM7";

    Com7Device();
    ~Com7Device();
    Com7Device(const Com7Device&) = delete;
    Com7Device& operator=(const Com7Device&) = delete;

    // The link COM7 leads to.
    const QString& device() const { return m_device; }
    // Writes the bytes as the device; a short write fails the running test.
    void send(const QByteArray& bytes) const;
    // Up to `count` bytes the port has sent, waiting at most `ms` (no event loop runs).
    QByteArray received(qsizetype count, int ms = 1000) const;
    // The port end's termios: a pty master reports those of its slave.
    termios line() const;
    void hangUp() { m_pty.closeMaster(); }

    // The description of the SerialError the operation throws; empty if it throws none.
    static QString failureOf(const std::function<void()>& operation);

private:
    Pty m_pty;
    QTemporaryDir m_folder;
    QString m_device = m_folder.filePath(QStringLiteral("ttyCOM7"));
};
