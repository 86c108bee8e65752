#pragma once

#include <QString>

// Which device file a COM number stands for. The operator picks COM numbers; Linux names
// serial devices by driver, so the numbers are laid out in blocks of four:
//
//   COM1..COM4     /dev/ttyS0..ttyS3      built-in UARTs
//   COM5..COM8     /dev/ttyUSB0..ttyUSB3  USB adapters (FTDI, PL2303, CH340, ...)
//   COM9..COM12    /dev/ttyACM0..ttyACM3  USB CDC-ACM devices
//   COM13..COM16   /dev/ttyS4..ttyS7      further UARTs (PCI cards)
//   COM17..COM255  /dev/ttyS8..ttyS246    the ttyS numbering continues: COMn is ttyS(n-9)
//
// The environment variable ZINTOR_COM<n> (e.g. ZINTOR_COM1=/dev/pts/3) replaces the device
// of COM<n>; a name without a leading '/' is taken inside /dev (ZINTOR_COM1=ttyUSB4).
class PortMap {
public:
    static constexpr int firstNumber = 1;
    static constexpr int lastNumber = 255;

    static bool isValid(int number) { return number >= firstNumber && number <= lastNumber; }
    // Full path of the device for a valid number; empty for an invalid one.
    static QString devicePath(int number);

    // A device the operator named by its path, reached through a spare number: messages
    // then name it by that path alone. Call before any thread starts.
    static void bindPath(int number, const QString& device);
    // "COM5", or the path of a device named by it.
    static QString name(int number);
    // "COM5 (/dev/ttyUSB0)", or the path alone for a device named by it: how messages
    // begin.
    static QString label(int number, const QString& device);
};
