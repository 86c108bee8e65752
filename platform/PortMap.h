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
    static QString devicePath(int number);
    // True when the device of a valid number is there now.
    static bool present(int number);
    // What the system knows of the port: its device, and on Windows the adapter's
    // description, maker, USB ids and serial number. One line per fact.
    static QString describe(int number);
    // How COM numbers meet devices here, for the programs' --help.
    static QString explained();
};
