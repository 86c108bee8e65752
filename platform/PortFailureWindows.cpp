#include "platform/PortFailure.h"

#include <windows.h>

QString PortFailure::openFailed(int number, const QString& device,
                                QSerialPort::SerialPortError error, int systemError) {
    // Wine workaround (Wine 8.0): a COM port mapped to a device file that is not there
    // fails with ERROR_INVALID_FUNCTION instead of ERROR_FILE_NOT_FOUND.
    if (error == QSerialPort::DeviceNotFoundError || systemError == ERROR_FILE_NOT_FOUND ||
        systemError == ERROR_PATH_NOT_FOUND || systemError == ERROR_INVALID_FUNCTION)
        return notFound(number, device);
    if (error == QSerialPort::PermissionError || systemError == ERROR_ACCESS_DENIED ||
        systemError == ERROR_SHARING_VIOLATION)
        return busy(number, device);
    if (systemError != 0)
        return PortFailure::systemError(number, device, systemError);
    return label(number, device) + QStringLiteral(": the port could not be set up.");
}

QString PortFailure::lost(int number, const QString& device) {
    return label(number, device) +
           QStringLiteral(": device gone (unplugged). Reconnect it; the next command opens the "
                          "port again.");
}

// The system's message, without its closing full stop and line break; never empty.
QString PortFailure::reason(int systemError) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(systemError), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString words = length ? QString::fromWCharArray(text, int(length)).trimmed() : QString();
    ::LocalFree(text);
    while (words.endsWith(u'.'))
        words.chop(1);
    return words.isEmpty() ? QStringLiteral("system error %1").arg(systemError) : words;
}

QString PortFailure::notFound(int number, const QString& device) {
    return label(number, device) +
           QStringLiteral(": no such port. Is the adapter plugged in? Otherwise choose another "
                          "port.");
}
