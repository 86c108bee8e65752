// The leading-number reader on any typed text.
#include "Check.h"
#include "link/Numbers.h"

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double value = Numbers::leading(text);
    check(!std::isnan(value), "a number or an overflow, never NaN");
    check(Numbers::leading(text + u'#') == value, "what follows the number does not count");
    const QString start = QString(text).remove(u' ').remove(u'\t').remove(u'\n').left(1);
    if (start == u"." || (!start.isEmpty() && start[0] >= u'0' && start[0] <= u'9'))
        check(Numbers::leading(u'-' + text) == -value, "a minus negates");
    return 0;
}
