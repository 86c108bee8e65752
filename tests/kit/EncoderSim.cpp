#include "EncoderSim.h"

#include <QFile>

EncoderSim::EncoderSim(const QString& link, const QString& log, const QStringList& extra)
    : m_link(link), m_log(log) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(qEnvironmentVariable("ENCODER_SIM"),
                    QStringList{"--link", link, "--log", log} + extra);
    // The first line, the terminal's path, comes once the link is in place.
    if (!m_process.waitForReadyRead(5000))
        qFatal("encoder-sim did not start: %s", qPrintable(m_process.errorString()));
    // Nothing more comes or goes that way; unwatched, the pipes keep no event loop busy.
    m_process.closeReadChannel(QProcess::StandardOutput);
    m_process.closeWriteChannel();
}

EncoderSim::~EncoderSim() {
    m_process.terminate();
    m_process.waitForFinished(5000);
}

QByteArray EncoderSim::received() const {
    QFile file(m_log);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
