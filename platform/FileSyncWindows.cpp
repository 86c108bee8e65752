#include "platform/FileSync.h"

#include <QDir>
#include <QFileDevice>
#include <io.h>
#include <windows.h>

namespace {

// The system's own words for the last failure.
QString lastError() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    const QString why = text ? QString::fromWCharArray(text).trimmed()
                             : QStringLiteral("Windows error %1").arg(code);
    LocalFree(text);
    return why;
}

} // namespace

namespace FileSync {

QString toDisk(QFileDevice& file) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) ? QString() : lastError();
}

QString replace(const QString& from, const QString& to) {
    const std::wstring source = QDir::toNativeSeparators(from).toStdWString();
    const std::wstring target = QDir::toNativeSeparators(to).toStdWString();
    return MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? QString()
               : lastError();
}

} // namespace FileSync
