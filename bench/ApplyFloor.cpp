#include "ApplyFloor.h"

#include "link/Catalogue.h"

namespace ApplyFloor {

namespace {

// Each exchange: (n + 1) pacing waits of 50 ms for its n framed characters, then one read.
double exchangeMs(const QString& framed) {
    return (framed.size() + 1) * 50.0 + 50.0;
}

} // namespace

const QStringList Items{"CODE=BIN", "CNT=CCLW", "PAR=EVEN", "OFST=10", "NS=4096", "NR=8"};

// The profile's commands, then the listing read and the position read that follows it.
double ms() {
    double sum = exchangeMs(QStringLiteral("|STP")) + exchangeMs(QStringLiteral("|POS"));
    for (const QString& item : Items) {
        const QString name = item.section(u'=', 0, 0);
        const QString value = item.section(u'=', 1);
        sum += exchangeMs(u'|' + Catalogue::commandText(*Catalogue::writer(name, value), value));
    }
    return sum;
}

} // namespace ApplyFloor
