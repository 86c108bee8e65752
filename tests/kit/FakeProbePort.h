#pragma once

#include "link/SerialPort.h"

#include <QSet>
#include <QStringList>

// A port object for the settings dialog: only the numbers in `present` open, and every
// change it undergoes is logged in order ("port 3", "open", "close", "settings ...",
// "flow 1"). Like a real port it refuses a new number while open.
class FakeProbePort : public SerialPort {
public:
    QSet<int> present;
    QString settingsFailure;    // non-empty: writing Settings throws this description
    QString handshakingFailure; // non-empty: writing Handshaking throws this description
    QStringList log;

    void setCommPort(int number) override;
    int commPort() const override { return m_commPort; }
    void setSettings(const QString& text) override;
    QString settings() const override { return m_settings; }
    void setHandshaking(int code) override;
    int handshaking() const override { return m_handshaking; }
    void setPortOpen(bool open) override;
    bool portOpen() const override { return m_open; }
    void discardOutput() override {}
    void discardInput() override {}
    int inBufferCount() override { return 0; }
    void output(const QString&) override {}
    QString input() override { return {}; }
    void setRtsEnable(bool) override {}
    void setInBufferSize(int) override {}
    void setInputLen(int) override {}

private:
    int m_commPort = 1;
    QString m_settings = SafeSettings;
    int m_handshaking = 1;
    bool m_open = false;
};
