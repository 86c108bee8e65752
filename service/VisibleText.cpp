#include "service/VisibleText.h"

namespace VisibleText {

QString of(const QString& text) {
    QString shown;
    shown.reserve(text.size());
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

} // namespace VisibleText
