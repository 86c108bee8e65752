#include "service/VisibleText.h"

#include <QLocale>

namespace VisibleText {

namespace {

constexpr qsizetype QuotedLength = 60;

} // namespace

QString of(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code >= 0x20 && code < 0x7f)
            out += c;
        else if (code == u'\r')
            out += QLatin1String("\\r");
        else if (code == u'\n')
            out += QLatin1String("\\n");
        else if (code == u'\t')
            out += QLatin1String("\\t");
        else if (code <= 0xff)
            out += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1").arg(int(code), 4, 16, QLatin1Char('0'));
    }
    return out;
}

QString quoted(QStringView text) {
    if (text.size() <= QuotedLength)
        return u'"' + of(text) + u'"';
    return QStringLiteral("\"%1…\" (%2 characters)")
        .arg(of(text.left(QuotedLength)), QLocale(QLocale::English).toString(text.size()));
}

QString brief(QStringView text) {
    return text.size() <= QuotedLength ? of(text) : quoted(text);
}

} // namespace VisibleText
