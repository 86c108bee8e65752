#pragma once

#include <QProcess>
#include <QString>

// One simulated encoder (the program in ENCODER_SIM) on its own pseudo-terminal, reachable
// through a symlink, logging every byte it receives.
class EncoderSim {
public:
    EncoderSim(const QString& link, const QString& log);
    ~EncoderSim();

    // Everything received so far.
    QByteArray received() const;
    const QString& link() const { return m_link; }

private:
    QString m_link;
    QString m_log;
    QProcess m_process;
};
