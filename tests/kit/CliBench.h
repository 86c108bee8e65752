#pragma once

#include "EncoderSim.h"

#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// Encoders on COM1..COMn of a private ZINTOR_COM<n> map, for zintor-cli run as the operator
// runs it; numbers without an encoder lead nowhere.
class CliBench {
public:
    // The fault, if any, is played by the encoder on COM2.
    explicit CliBench(int encoders, const QStringList& fault = {});

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray received(int com) const;
    // The encoder's settings as its state file holds them.
    QString state(int com) const;
    // Writes the file in the bench's folder and returns its path.
    QString writeBytes(const QString& name, const QByteArray& bytes) const;
    QString write(const QString& name, const QString& text) const {
        return writeBytes(name, text.toLatin1());
    }

    // Starts the companion; the caller waits.
    void start(QProcess& cli, const QStringList& arguments) const;

    struct Run {
        int status = -1;
        QString out;
        QString err;
    };
    Run run(const QStringList& arguments) const;
    static Run finish(QProcess& cli, int timeoutMs = 60000);

    static QJsonObject json(const QString& out);

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<EncoderSim>> m_encoders;
};
