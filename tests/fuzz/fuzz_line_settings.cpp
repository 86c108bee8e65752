// The settings-text reader ("9600,n,8,1") on any text.
#include "Check.h"
#include "settings/LineReading.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const LineReading line = LineReading::read(text);
    check(!std::isnan(line.baud), "the baud rate is a number");
    check(line.parity.size() <= 1, "parity is one character or empty");
    check(line.dataBits >= 0 && line.dataBits <= 9, "data bits from one digit");
    check(line.stopBits >= 0 && line.stopBits <= 9, "stop bits from one digit");
    if (!text.contains(u','))
        check(line.parity.isEmpty() && line.dataBits == 0 && line.stopBits == 0,
              "without a comma only the baud rate");
    return 0;
}
