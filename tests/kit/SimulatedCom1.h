#pragma once

#include "EncoderSim.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <memory>

// For programs run by hand (benchmarks, screenshots): COM1 reaches a simulated encoder on a
// pseudo-terminal, COM2..COM16 lead nowhere and the stored settings live in a folder of
// their own, so neither real devices nor the operator's stored port take part.
class SimulatedCom1 {
public:
    // Before the application object: offscreen unless a platform is set, and the simulator
    // built alongside unless ENCODER_SIM names another.
    static void prepare(const char* simulator);

    // The link's name also names QSerialPort's lock file, which parallel tests must not share.
    explicit SimulatedCom1(const QStringList& faults = {}, const QString& link = "com1");
    // The settings folder of before again, for whatever writes settings once this one is gone
    // (a file dialog closing late, the program's end), instead of making it anew.
    ~SimulatedCom1();
    SimulatedCom1(const SimulatedCom1&) = delete;
    SimulatedCom1& operator=(const SimulatedCom1&) = delete;

    // A fresh simulator on the same link, for instance once a fault is to be gone.
    void restart(const QStringList& faults = {});
    // The simulator gone, and with it the device COM1 leads to.
    void stop() { m_encoder.reset(); }
    EncoderSim& encoder() { return *m_encoder; }
    const EncoderSim& encoder() const { return *m_encoder; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    const QString& link() const { return m_link; }

private:
    QByteArray m_configBefore = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir m_dir;
    QString m_link;
    std::unique_ptr<EncoderSim> m_encoder;
};
