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

} // namespace Catalogue
