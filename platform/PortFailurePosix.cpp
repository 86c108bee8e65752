#include "platform/PortFailure.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// 0 when the node is there, else the errno of stat().
int examine(const QString& device, struct stat* info) {
    return ::stat(QFile::encodeName(device).constData(), info) == 0 ? 0 : errno;
}

bool missing(int statError) {
    return statError == ENOENT || statError == ENOTDIR;
}

QString groupName(gid_t gid) {
    const group* entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

} // namespace

QString PortFailure::openFailed(int number, const QString& device,
                                QSerialPort::SerialPortError error, int systemError) {
    struct stat info {};
    const int statError = examine(device, &info);
    if (missing(statError) || error == QSerialPort::DeviceNotFoundError)
        return notFound(number, device);
    if (statError != 0) // e.g. a folder on the way that the user may not enter
        return PortFailure::systemError(number, device, statError);
    // A regular file, or a device that is no terminal such as /dev/null.
    if (!S_ISCHR(info.st_mode) || systemError == ENOTTY)
        return label(number, device) +
               QStringLiteral(": not a serial device. Choose another port.");
    if (error == QSerialPort::PermissionError) {
        // QSerialPort reports EACCES, EBUSY and another program's lock file alike.
        const bool allowed = ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
        return allowed ? busy(number, device)
                       : noPermission(number, device, groupName(info.st_gid));
    }
    if (systemError != 0)
        return PortFailure::systemError(number, device, systemError);
    return label(number, device) + QStringLiteral(": the device could not be set up.");
}

QString PortFailure::lost(int number, const QString& device) {
    struct stat info {};
    if (missing(examine(device, &info)))
        return label(number, device) +
               QStringLiteral(": device gone (hang-up or unplugged). Reconnect it; the next "
                              "command opens the port again.");
    return label(number, device) +
           QStringLiteral(": connection lost (hang-up or device error). Check the device and the "
                          "cable; the next command opens the port again.");
}

QString PortFailure::reason(int systemError) {
    return QString::fromLocal8Bit(std::strerror(systemError));
}

QString PortFailure::notFound(int number, const QString& device) {
    return label(number, device) +
           QStringLiteral(": device not found. Is it plugged in? Otherwise choose another port.");
}

QString PortFailure::noPermission(int number, const QString& device, const QString& group) {
    return label(number, device) +
           QStringLiteral(": permission denied. The device belongs to group \"%1\": add your user "
                          "to it (sudo usermod -aG %1 $USER), then log out and in again.")
               .arg(group);
}
