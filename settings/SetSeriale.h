#pragma once

#include <QDialog>

class SerialPort;

// The serial settings dialog: probes the COM ports, edits the line settings of the
// panel's port and applies them.
class SetSeriale : public QDialog {
    Q_OBJECT
public:
    explicit SetSeriale(QWidget* parent = nullptr);

    void Default(SerialPort& Porta, qint32 Baud1, qint32 Baud2);
    void Sfondi(const QString& ColoreSfondo);
    void Setta(SerialPort& Porta);

private:
    SerialPort* Seriale = nullptr;
};
