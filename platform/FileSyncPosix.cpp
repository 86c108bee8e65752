#include "platform/FileSync.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace FileSync {

QString toDisk(QFileDevice& file) {
    return ::fsync(file.handle()) == 0 ? QString() : qt_error_string(errno);
}

QString replace(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return qt_error_string(errno);
    // The folder's new entry to the disk as well, so the new name outlives a power cut. The
    // rename has been made: a folder that cannot be synced changes nothing the caller can undo.
    const int folder = ::open(QFile::encodeName(QFileInfo(to).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

} // namespace FileSync
