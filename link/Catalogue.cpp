#include "link/Catalogue.h"

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
