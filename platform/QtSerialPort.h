#pragma once

#include "link/SerialPort.h"
#include "platform/PortHold.h"
#include "platform/TtyReader.h"

#include <QObject>
#include <QSerialPort>

// The SerialPort of the program: a Linux serial device (see PortMap) through QSerialPort.
//
// - Settings and handshaking set on a closed port take effect when it opens.
// - Opening holds the device first (PortHold): one that another program holds is reported
//   in use, and nothing is written to it nor its line settings changed.
// - Handshaking is set on the descriptor itself: QSerialPort has no "both" mode, and its
//   XON/XOFF mode lets any received byte restart held output (IXANY), not only DC1.
// - Reading polls the descriptor, so counts include bytes the event loop has not fetched;
//   the event loop does not watch it, so received bytes wake nothing. Writing goes straight
//   to the descriptor unless output is held back.
// - When an open port fails (hang-up, unplugged adapter) it is closed as soon as that shows,
//   because QSerialPort would otherwise report read errors in a busy loop. portOpen() stays true;
//   the next inBufferCount(), input() or output() throws the failure, and after that they
//   do nothing until the port is closed and opened again.
class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);

    void setCommPort(int number) override;
    int commPort() const override { return m_number; }
    void setSettings(const QString& text) override;
    QString settings() const override { return m_settings; }
    void setHandshaking(int code) override;
    int handshaking() const override { return m_handshaking; }
    void setPortOpen(bool open) override;
    bool portOpen() const override { return m_open; }
    void discardOutput() override;
    void discardInput() override;
    int inBufferCount() override;
    void output(const QString& text) override;
    QString input() override;
    void setRtsEnable(bool on) override;
    // Reads always return everything waiting, so neither size limits anything.
    void setInBufferSize(int) override {}
    void setInputLen(int) override {}

private:
    QString device() const;
    QString label() const;
    void openPort();
    void closePort();
    bool live();
    void requireOpen() const;
    void reportLoss();
    void drain();
    void send(const QByteArray& bytes);
    void stopReadNotifications();
    int applyControl();
    void onErrorOccurred(QSerialPort::SerialPortError error);
    bool isFatal(QSerialPort::SerialPortError error, int systemError) const;
    void markLost();

    int m_number = 1;
    QString m_settings;
    bool m_parity = false; // the settings ask for parity
    int m_handshaking = 0;
    bool m_rts = false;
    bool m_open = false;
    QString m_device; // the path opened, kept in case ZINTOR_COM<n> changes meanwhile
    bool m_lost = false;
    QString m_failure;     // why the port was lost, until reported
    int m_systemError = 0; // errno seen with QSerialPort's last error
    TtyReader m_received;
    PortHold m_hold; // taken before m_port opens, released after it closes
    // Last: destroyed first, while the members its error signal touches still exist.
    QSerialPort m_port;
};
