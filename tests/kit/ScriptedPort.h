#pragma once

#include "link/SerialPort.h"
#include "link/Waiter.h"

#include <QList>
#include <QString>
#include <functional>

// A device on a virtual clock: echoes what it is sent after a delay and answers the CR
// with a scripted reply. Waits advance the clock instead of sleeping.
class ScriptedPort : public SerialPort, public Waiter {
public:
    struct Script {
        bool echo = true;
        bool misread = false; // echoes other bytes, as a device on a mismatched line
        qint64 echoDelay = 0;
        QString reply;
        qint64 replyDelay = 0;
        QString openFailure; // non-empty: opening throws this description
        int failAtRead = 0;  // n > 0: the n-th input() throws "device gone"
    };
    Script script;

    qint64 now = 0;
    QString wire;             // every byte sent, in order
    QList<qint64> sentAt;     // when each was sent
    QList<int> handshakeLog;  // every Handshaking written
    QList<qint16> waitsAsked; // every wait, as asked
    int reads = 0;
    std::function<void()> onWait; // runs after every wait, as a handler nested in it would

    void setCommPort(int number) override;
    int commPort() const override { return m_commPort; }
    void setSettings(const QString& text) override { m_settings = text; }
    QString settings() const override { return m_settings; }
    void setHandshaking(int code) override;
    int handshaking() const override { return m_handshaking; }
    void setPortOpen(bool open) override;
    bool portOpen() const override { return m_open; }
    void discardOutput() override {}
    void discardInput() override { m_incoming.clear(); }
    int inBufferCount() override;
    void output(const QString& text) override;
    QString input() override;
    void setRtsEnable(bool) override {}
    void setInBufferSize(int) override {}
    void setInputLen(int) override {}

    void Attendi(qint16& ms) override;
    void DoEvents() override {}

private:
    struct Arrival {
        qint64 at;
        QString text;
    };
    QList<Arrival> m_incoming;
    int m_commPort = 1;
    QString m_settings = SafeSettings;
    int m_handshaking = 0;
    bool m_open = false;
};
