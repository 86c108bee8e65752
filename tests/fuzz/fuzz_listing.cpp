// The listing parser on any bytes the device might send.
#include "Check.h"
#include "link/ListingParser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    qsizetype from = 0; // entries come in order, each after a CR
    qsizetype entries = 0;
    ListingParser::parse(text, [&](const QString& name, const QString& value) {
        check(!name.contains(u'='), "a name stops at the first \"=\"");
        check(!value.contains(u'\n'), "a value stops at the first LF");
        const qsizetype at = text.indexOf(u'\r' + name, from);
        check(at >= 0, "each name follows a CR, after the previous entry");
        from = at + 1 + name.size();
        check(text.indexOf(value, from) >= 0, "each value follows its name");
        from += value.size();
        ++entries;
    });
    check(entries <= text.count(u'\r'), "no more entries than CRs");
    return 0;
}
