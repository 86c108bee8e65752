#pragma once

#include <QString>
#include <QStringView>
#include <stdexcept>

// Rounding a value that does not fit the target integer type.
class OverflowError : public std::runtime_error {
public:
    OverflowError() : std::runtime_error("Overflow") {}
};

// The number rules every part of the tool shares, so a text means the same number
// wherever it is typed, shown or read back.
namespace Numbers {

// The leading decimal number of a text: blanks, tabs and line feeds are skipped anywhere,
// "." is the only decimal separator, a text without a leading number reads as 0.
double leading(QStringView text);

// General form, at most 15 significant digits, the system's regional decimal separator.
QString text(double value);

// Nearest integer, halves to the even neighbour; out of range throws OverflowError.
qint16 toInt16(double value);
qint32 toInt32(double value);

} // namespace Numbers
