#pragma once

#include <QString>
#include <QStringView>

// The port's line-settings text ("9600,n,8,1") read by position, the way the port reports
// it: the baud rate before the first comma, then one character each for parity, data bits
// and stop bits. A field that is missing reads as empty or 0 and so matches no option.
struct LineReading {
    double baud = 0;
    QString parity; // one upper-case letter, or empty
    int dataBits = 0;
    int stopBits = 0;

    static LineReading read(QStringView text);
};
