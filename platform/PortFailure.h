#pragma once

#include "platform/PortMap.h"

#include <QSerialPort>
#include <QString>

// Operator-readable descriptions of port failures, in each system's terms
// (PortFailurePosix.cpp, PortFailureWindows.cpp). Each starts with the port's label,
// says what is wrong in the operator's terms and what to do about it. QSerialPort's own
// errorString() is never used: it says "Unknown error" for unmapped errno values and
// "Permission error while locking the device" when another program has the port.
class PortFailure {
public:
    static QString label(int number, const QString& device) {
        return PortMap::label(number, device);
    }

    // Opening failed with QSerialPort's error code; systemError is the system's error code
    // seen with it (errno or GetLastError(), 0 if none). On Linux the device node is examined
    // to tell missing, forbidden and busy apart.
    static QString openFailed(int number, const QString& device, QSerialPort::SerialPortError error,
                              int systemError);
    // An open port stopped working: hang-up, unplugged adapter, I/O error.
    static QString lost(int number, const QString& device);
    // A system call on the port failed for a reason the operator can only read.
    static QString systemError(int number, const QString& device, int systemError) {
        return label(number, device) + QStringLiteral(": ") + reason(systemError) + u'.';
    }
    // The system's own words for an error code, without the port.
    static QString reason(int systemError);
    // Another program holds the device.
    static QString busy(int number, const QString& device) {
        return label(number, device) +
               QStringLiteral(": in use by another program. Close that program and try again.");
    }

private:
    static QString notFound(int number, const QString& device);
    // Names the group owning the device and the command that lets the user in.
    static QString noPermission(int number, const QString& device, const QString& group);
};
