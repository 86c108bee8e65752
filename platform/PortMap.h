#pragma once

#include <QString>

// Which device a COM number stands for. The operator picks COM numbers; on Windows they
// are the system's own (\\.\COM<n>), on Linux they are laid out over the serial device
// files (PortMapPosix.cpp has the table).
//
// The environment variable ZINTOR_COM<n> replaces the device of COM<n>: a path such as
// ZINTOR_COM1=/dev/pts/3 on Linux (a bare name is taken inside /dev), another COM port
// such as ZINTOR_COM1=COM12 on Windows.
class PortMap {
public:
    static constexpr int firstNumber = 1;
    static constexpr int lastNumber = 255;

    static bool isValid(int number) { return number >= firstNumber && number <= lastNumber; }
    // Full path of the device for a valid number; empty for an invalid one.
    static QString devicePath(int number) {
        if (!isValid(number))
            return {};
        const QString custom = mapped(number);
        return custom.isEmpty() ? ownDevice(number) : deviceNamed(custom);
    }
    // True when the device of a valid number is there now.
    static bool present(int number);
    // What the system knows of the port: its device, and on Windows the adapter's
    // description, maker, USB ids and serial number. One line per fact.
    static QString describe(int number);
    // How COM numbers meet devices here, for the programs' --help.
    static QString explained();

    // A device the operator named by its path, reached through a spare number: messages
    // then name it by that path alone. Call before any thread starts.
    static void bindPath(int number, const QString& device);
    // "COM5", or the path of a device named by it.
    static QString name(int number);
    // "COM5 (/dev/ttyUSB0)", or the path alone for a device named by it: how messages
    // begin.
    static QString label(int number, const QString& device);

private:
    // The label of a number no path is bound to, in the system's way.
    static QString numberLabel(int number, const QString& device);
    // The device a number stands for when nothing is mapped.
    static QString ownDevice(int number);
    // The device a ZINTOR_COM<n> value names, written in full.
    static QString deviceNamed(const QString& name);
    // What ZINTOR_COM<n> says, read on every call so a test or a wrapper script can change
    // it at run time; empty when unset.
    static QString mapped(int number) {
        return qEnvironmentVariable(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(number)));
    }
};
