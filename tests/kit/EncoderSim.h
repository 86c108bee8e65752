#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One simulated encoder (the program in ENCODER_SIM) on its own pseudo-terminal, reachable
// through a symlink, logging every byte it receives.
class EncoderSim {
public:
    // Extra arguments select the simulator's faults, such as "--no-echo".
    EncoderSim(const QString& link, const QString& log, const QStringList& extra = {});
    ~EncoderSim();

    // Everything received so far.
    QByteArray received() const;
    const QString& link() const { return m_link; }

private:
    QString m_link;
    QString m_log;
    QProcess m_process;
};
