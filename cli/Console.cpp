#include "cli/Console.h"

#include "platform/ConsoleText.h"

#include <QMutex>
#include <cerrno>
#include <cstdio>

namespace Console {

namespace {

QMutex lock;
QString outError; // the first failure to write standard output

void write(std::FILE* stream, const QString& text) {
    const QMutexLocker locker(&lock);
    const bool written = std::fputs(ConsoleText::bytes(text).constData(), stream) >= 0;
    if ((std::fflush(stream) != 0 || !written) && stream == stdout && outError.isEmpty())
        outError = qt_error_string(errno);
}

} // namespace

void out(const QString& line) {
    write(stdout, line + u'\n');
}

void err(const QString& line) {
    write(stderr, line + u'\n');
}

void print(const QString& text) {
    write(stdout, text);
}

QString outFailure() {
    const QMutexLocker locker(&lock);
    if (std::fflush(stdout) != 0 && outError.isEmpty())
        outError = qt_error_string(errno);
    return outError;
}

} // namespace Console
