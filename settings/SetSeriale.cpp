#include "settings/SetSeriale.h"

#include "link/SerialPort.h"

SetSeriale::SetSeriale(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetSeriale"));
    setWindowTitle(QStringLiteral("RS232 Communication Settings"));
}

void SetSeriale::Default(SerialPort& Porta, qint32, qint32) {
    Seriale = &Porta;
}

void SetSeriale::Sfondi(const QString&) {}

void SetSeriale::Setta(SerialPort& Porta) {
    Seriale = &Porta;
}
