#include "platform/LineSettings.h"

#include <QStringList>

QString LineSettings::parse(const QString& text) {
    const QStringList fields = text.split(u',');
    if (fields.size() != 4)
        return QStringLiteral("it needs four fields");
    bool ok = false;
    baud = fields[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return QStringLiteral("baud \"%1\" is not a positive whole number").arg(fields[0]);

    static const QString letters = QStringLiteral("neoms");
    static const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::EvenParity,
                                                   QSerialPort::OddParity, QSerialPort::MarkParity,
                                                   QSerialPort::SpaceParity};
    const QString letter = fields[1].trimmed().toLower();
    const qsizetype index = letter.size() == 1 ? letters.indexOf(letter) : -1;
    if (index < 0)
        return QStringLiteral("parity \"%1\" is not n, e, o, m or s").arg(fields[1]);
    parity = parities[index];

    const int data = fields[2].trimmed().toInt(&ok);
    if (!ok || data < 5 || data > 8)
        return QStringLiteral("data bits \"%1\" are not 5 to 8").arg(fields[2]);
    dataBits = QSerialPort::DataBits(data);

    // Linux has one stop-bit flag (CSTOPB): with it a UART sends 1.5 stop bits after
    // 5-bit words and 2 after longer ones, so "1.5" and "2" both select it.
    const QString stop = fields[3].trimmed();
    if (stop != u"1" && stop != u"1.5" && stop != u"2")
        return QStringLiteral("stop bits \"%1\" are not 1, 1.5 or 2").arg(fields[3]);
    stopBits = stop == u"1" ? QSerialPort::OneStop : QSerialPort::TwoStop;
    return {};
}

bool LineSettings::applyTo(QSerialPort& port) const {
    bool ok = port.setBaudRate(baud);
    ok = port.setParity(parity) && ok;
    ok = port.setDataBits(dataBits) && ok;
    return port.setStopBits(stopBits) && ok;
}
