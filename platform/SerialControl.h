#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <utility>

// What QtSerialPort does on the device itself, beside QSerialPort, in each system's terms.
// Errors are the system's own codes (errno, or GetLastError() on Windows).
namespace SerialControl {

// The system's handle of an open port: a descriptor on Linux, a HANDLE on Windows.
using Handle = decltype(std::declval<QSerialPort&>().handle());

// Handshaking codes are bit sets.
inline constexpr int XonXoff = 1;
inline constexpr int RtsCts = 2;

// True when the device is certainly not there, told without opening it (keeps the
// sixteen-port probe quick).
bool absent(const QString& device);

// True for a device that keeps its line whatever it is told (a pseudo-terminal): a
// refused setting is no failure there.
bool keepsItsLine(Handle handle);

// Puts handshaking and RTS on the open device, and no odd-parity flag without parity;
// returns 0 or the system error of the failing call.
int apply(Handle handle, bool parity, int handshaking, bool rts);

// Writes as much as the driver takes at once; returns how many bytes went (0 when none
// could go now). What is left goes through QSerialPort.
qsizetype writeNow(Handle handle, const QByteArray& bytes);

// The system error left by the last failing call of this thread.
int lastError();

// True when the error only says that output is held back by flow control.
bool heldBack(int systemError);

} // namespace SerialControl
