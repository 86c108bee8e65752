#include "service/SearchOrder.h"

namespace SearchOrder {

namespace {

// 9600 and 19200 are what encoders leave the factory or a technician with; 300 comes last.
const int Bauds[] = {9600, 19200, 115200, 4800, 2400, 1200, 600, 300};

// Eight data bits without parity first, then the framings of older installations.
struct Framing {
    char parity;
    int dataBits;
};
const Framing Framings[] = {{'N', 8}, {'E', 8}, {'O', 8}, {'E', 7}, {'O', 7}, {'N', 7}};

// The same settings written differently ("9600,n,8,1" and "9600,N,8,1") are tried once.
QString key(const QString& settings) {
    QStringList fields = settings.split(u',');
    for (QString& field : fields)
        field = field.trimmed().toUpper();
    if (fields.size() == 4)
        fields[0] = QString::number(fields[0].toInt());
    return fields.join(u',');
}

} // namespace

QStringList settings(const QString& current) {
    QStringList order{current, QStringLiteral("9600,N,8,1")};
    for (const int baud : Bauds)
        for (const Framing& framing : Framings)
            order << QStringLiteral("%1,%2,%3,1")
                         .arg(baud)
                         .arg(QChar(framing.parity))
                         .arg(framing.dataBits);
    QStringList seen;
    QStringList tries;
    for (const QString& settings : std::as_const(order)) {
        const QString k = key(settings);
        if (seen.contains(k))
            continue;
        seen << k;
        tries << settings;
    }
    return tries;
}

} // namespace SearchOrder
