#include "cli/Console.h"

#include <QMutex>
#include <cstdio>

namespace Console {

namespace {

QMutex lock;

void write(std::FILE* stream, const QString& text) {
    const QMutexLocker locker(&lock);
    std::fputs(text.toLocal8Bit().constData(), stream);
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

QString visible(const QString& text) {
    QString shown;
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (code == 13)
            shown += QStringLiteral("<CR>");
        else if (code == 10)
            shown += QStringLiteral("<LF>");
        else if (code == 17)
            shown += QStringLiteral("<DC1>");
        else if (code == 19)
            shown += QStringLiteral("<DC3>");
        else if (code < 32 || code > 126)
            shown += QStringLiteral("<0x%1>").arg(code, 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

} // namespace Console
