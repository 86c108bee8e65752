#include "service/SerialNumber.h"

#include "service/VisibleText.h"

namespace SerialNumber {

QString checked(const QString& text, QString* why) {
    const QString serial = text.trimmed();
    if (serial.isEmpty()) {
        *why = QStringLiteral("the serial number is empty");
        return {};
    }
    if (serial.size() > MaxLength) {
        *why = QStringLiteral("serial number %1 is %2 characters long; at most %3")
                   .arg(VisibleText::quoted(serial))
                   .arg(serial.size())
                   .arg(MaxLength);
        return {};
    }
    for (qsizetype i = 0; i < serial.size(); ++i)
        if (serial[i] < u' ' || serial[i] > u'~') {
            *why = QStringLiteral("serial number %1: character %2 is not printable ASCII")
                       .arg(VisibleText::quoted(serial))
                       .arg(i + 1);
            return {};
        }
    return serial;
}

} // namespace SerialNumber
