#include "link/ListingParser.h"

namespace ListingParser {

void parse(const QString& text,
           const std::function<void(const QString& name, const QString& value)>& entry) {
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n) {
        if (text[p] == u'\r') {
            const qsizetype nameStart = ++p;
            while (p < n && text[p] != u'=')
                ++p;
            const QString name = text.mid(nameStart, p - nameStart);
            const qsizetype valueStart = qMin(++p, n); // past the "=", or the end
            while (p < n && text[p] != u'\n')
                ++p;
            entry(name, text.mid(valueStart, qMax<qsizetype>(p - valueStart, 0)));
        }
        ++p; // past the LF that ended the value
    }
}

} // namespace ListingParser
