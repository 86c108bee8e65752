#include "link/Catalogue.h"

#include <algorithm>
#include <cmath>

namespace Catalogue {

int indexOf(QStringView word) {
    for (std::size_t i = 0; i < Commands.size(); ++i)
        if (word == QLatin1String(Commands[i].word))
            return int(i);
    return -1;
}

const Command* match(QStringView word) {
    for (const char* candidate : DispatchOrder)
        if (word == QLatin1String(candidate))
            return &Commands[std::size_t(indexOf(word))];
    return nullptr;
}

const Group* group(QStringView name) {
    for (const Group& g : Groups)
        if (name == QLatin1String(g.name))
            return &g;
    return nullptr;
}

QString commandText(const Command& command, const QString& value) {
    const QString word = QString::fromLatin1(command.word);
    return command.value == Value::None ? word : word + u'=' + value;
}

QString unsendable(QStringView text) {
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (code == 13)
            return QStringLiteral("CR");
        if (code == 10)
            return QStringLiteral("LF");
        if (code == 17)
            return QStringLiteral("DC1");
        if (code == 19)
            return QStringLiteral("DC3");
        if (c == u'|')
            return QStringLiteral("\"|\"");
        if (code < 32 || code == 127)
            return QStringLiteral("the control character 0x%1").arg(code, 2, 16, QLatin1Char('0'));
        if (code > 127)
            return QStringLiteral("the non-ASCII character 0x%1")
                .arg(code, 2, 16, QLatin1Char('0'));
    }
    return {};
}

namespace {

const Range* rangeOf(QStringView name) {
    const int index = indexOf(name);
    if (index < 0)
        return nullptr;
    for (const Range& range : Ranges)
        if (range.value == Commands[std::size_t(index)].value)
            return &range;
    return nullptr;
}

QString takes(QStringView name, const Range& range) {
    return QStringLiteral("%1 takes %2 to %3").arg(name).arg(range.least).arg(range.most);
}

// Plain decimal digits with an optional leading "-".
bool plainWhole(QStringView value) {
    const QStringView digits = value.startsWith(u'-') ? value.mid(1) : value;
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QString valueProblem(QStringView name, QStringView value) {
    if (value.size() > MaxValueLength)
        return QStringLiteral("too long: at most %1 characters").arg(MaxValueLength);
    const Range* range = rangeOf(name);
    if (!range)
        return {};
    if (!plainWhole(value)) {
        bool number = false;
        const double read = value.toDouble(&number);
        if (!number)
            return QStringLiteral("not a number");
        return std::floor(read) == read
                   ? QStringLiteral("not in plain digits: ") + takes(name, *range)
                   : QStringLiteral("not a whole number: ") + takes(name, *range);
    }
    const qint64 number = value.toLongLong();
    if (number < range->least || number > range->most)
        return QStringLiteral("out of range: ") + takes(name, *range);
    return {};
}

QString commandProblem(QStringView command) {
    if (command.size() > MaxCommandLength)
        return QStringLiteral("too long: no command is longer than %1 characters")
            .arg(MaxCommandLength);
    const qsizetype equals = command.indexOf(u'=');
    const QStringView word = command.left(equals);
    if (equals >= 0)
        return valueProblem(word, command.mid(equals + 1));
    if (const Range* range = rangeOf(word))
        return QStringLiteral("no value: ") + takes(word, *range);
    return {};
}

bool writable(QStringView name) {
    if (group(name))
        return true;
    const int index = indexOf(name);
    return index >= 0 && Commands[std::size_t(index)].value != Value::None;
}

const Command* writer(QStringView name, QStringView value) {
    if (const Group* g = group(name)) {
        for (const char* choice : g->choices)
            if (value == QLatin1String(choice))
                return &Commands[std::size_t(indexOf(value))];
        return nullptr;
    }
    return writable(name) ? &Commands[std::size_t(indexOf(name))] : nullptr;
}

const Listed* listed(QStringView name) {
    for (const Listed& entry : ListingNames)
        if (name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

} // namespace Catalogue
