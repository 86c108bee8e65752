#include "link/Numbers.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace Numbers {

namespace {

bool skipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Collects the characters that can continue a number, in the order the grammar allows:
// sign, digits, "." and digits, then E, sign, digits.
class NumberScanner {
public:
    explicit NumberScanner(QStringView text) : m_text(text) {}

    std::string scan() {
        sign();
        const bool whole = digits();
        bool fraction = false;
        if (peek() == u'.') {
            take();
            fraction = digits();
        }
        if (!whole && !fraction)
            return {};
        exponent();
        return m_out;
    }

private:
    QChar peek() {
        while (m_pos < m_text.size() && skipped(m_text[m_pos]))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos] : QChar();
    }
    void take() { m_out.push_back(char(m_text[m_pos++].unicode())); }
    void sign() {
        if (peek() == u'-' || peek() == u'+')
            take();
    }
    bool digits() {
        bool any = false;
        while (peek().isDigit() && peek().unicode() < 128) {
            take();
            any = true;
        }
        return any;
    }
    // An exponent only counts with at least one digit; otherwise reading stops before E.
    void exponent() {
        if (peek() != u'E' && peek() != u'e')
            return;
        const qsizetype markPos = m_pos;
        const std::string before = m_out;
        take();
        sign();
        if (!digits()) {
            m_pos = markPos;
            m_out = before;
        }
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    std::string m_out;
};

qint64 roundedWithin(double value, double low, double high) {
    const double r = std::nearbyint(value); // default rounding mode: halves to even
    if (!(r >= low && r <= high))
        throw OverflowError();
    return qint64(r);
}

// The power of ten of the first significant digit, the exponent included. The exponent's
// digits saturate far beyond the double range, so no spelling of it can wrap around.
qint64 magnitude(std::string_view number) {
    constexpr qint64 Saturated = 1'000'000'000'000'000;
    qint64 exponent = 0;
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        for (const char c : number.substr(e + 1))
            if (c >= '0' && c <= '9')
                exponent = std::min(exponent * 10 + (c - '0'), Saturated);
        if (number[e + 1] == '-')
            exponent = -exponent;
        number = number.substr(0, e);
    }
    const std::size_t point = std::min(number.find('.'), number.size());
    const std::size_t first = number.find_first_of("123456789");
    return exponent + (first < point ? qint64(point - first) - 1 : -qint64(first - point));
}

} // namespace

double leading(QStringView text) {
    std::string number = NumberScanner(text).scan();
    if (number.empty())
        return 0.0;
    if (number.front() == '+')
        number.erase(0, 1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone. The value, not the exponent's sign, says which
        // end was passed: below the smallest double when the first significant digit,
        // exponent included, stands after the point.
        const bool negative = number.front() == '-';
        if (magnitude(number) < 0)
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return value;
}

QString text(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Overflow") : QStringLiteral("Overflow");
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    (void)ec; // 64 characters always hold 15 digits, sign and exponent
    QString out = QString::fromLatin1(buffer, end - buffer).toUpper();
    out.replace(u'.', QLocale::system().decimalPoint());
    return out;
}

qint16 toInt16(double value) {
    return qint16(roundedWithin(value, -32768.0, 32767.0));
}

qint32 toInt32(double value) {
    return qint32(roundedWithin(value, -2147483648.0, 2147483647.0));
}

} // namespace Numbers
