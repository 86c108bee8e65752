// The number writer on every double bit pattern, read back by the leading-number reader.
#include "Check.h"
#include "link/Numbers.h"

#include <QLocale>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    QString written = Numbers::text(value);
    if (!std::isfinite(value))
        return 0;
    written.replace(QLocale::system().decimalPoint(), QStringLiteral("."));
    const double back = Numbers::leading(written);
    // Rounded to 15 digits the largest doubles lie beyond the range, and read back as overflow.
    if (std::fabs(value) > 1.797693134862315e308) {
        check(std::isinf(back), "past the range reads as overflow");
        return 0;
    }
    check(std::fabs(back - value) <= std::fabs(value) * 1e-14, "15 significant digits kept");
    return 0;
}
