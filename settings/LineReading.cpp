#include "settings/LineReading.h"

#include "link/Numbers.h"

namespace {

// The character at a 0-based position, empty past the end.
QStringView at(QStringView text, qsizetype index) {
    return index < text.size() ? text.mid(index, 1) : QStringView();
}

} // namespace

LineReading LineReading::read(QStringView text) {
    LineReading line;
    const qsizetype comma = text.indexOf(u',');
    // Without a comma the whole text is the baud rate and the other fields are absent.
    line.baud = Numbers::leading(comma < 0 ? text : text.left(comma));
    if (comma < 0)
        return line;
    // Upper-cased as one character, so the field stays one: "ß" alone would become "SS".
    const QStringView parity = at(text, comma + 1);
    line.parity = parity.isEmpty() ? QString() : QString(parity.front().toUpper());
    line.dataBits = int(Numbers::leading(at(text, comma + 3)));
    line.stopBits = int(Numbers::leading(at(text, comma + 5)));
    return line;
}
