#include "cli/Console.h"

#include "platform/ConsoleText.h"

#include <QMutex>
#include <cstdio>

namespace Console {

namespace {

QMutex lock;

void write(std::FILE* stream, const QString& text) {
    const QMutexLocker locker(&lock);
    std::fputs(ConsoleText::bytes(text).constData(), stream);
    std::fflush(stream);
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

} // namespace Console
