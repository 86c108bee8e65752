#pragma once

#include <QSerialPort>
#include <QString>

// The line settings "baud,parity,data,stop" as QSerialPort takes them.
struct LineSettings {
    qint32 baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // Reads the text into this; returns what is wrong, empty when nothing is.
    QString parse(const QString& text);
    // Applies every field even when one fails, so a pseudo-terminal still gets its speed.
    bool applyTo(QSerialPort& port) const;
};
