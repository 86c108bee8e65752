#include "CliBench.h"

#include <QJsonDocument>
#include <QTest>

CliBench::CliBench(int encoders, const QStringList& fault) {
    for (int n = 1; n <= encoders; ++n) {
        const QString name = QStringLiteral("com%1").arg(n);
        m_encoders.push_back(std::make_unique<EncoderSim>(
            path(name), path(name + ".log"),
            QStringList{"--state-file", path(name + ".state")} + (n == 2 ? fault : QStringList())));
    }
}

QByteArray CliBench::received(int com) const {
    return m_encoders[std::size_t(com - 1)]->received();
}

QString CliBench::state(int com) const {
    QFile file(path(QStringLiteral("com%1.state").arg(com)));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QString CliBench::writeBytes(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void CliBench::start(QProcess& cli, const QStringList& arguments) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (int n = 1; n <= 16; ++n)
        env.insert(QStringLiteral("ZINTOR_COM%1").arg(n), path(QStringLiteral("com%1").arg(n)));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(ZINTOR_CLI_PATH), arguments);
    QVERIFY2(cli.waitForStarted(), qPrintable(cli.errorString()));
}

CliBench::Run CliBench::run(const QStringList& arguments) const {
    QProcess cli;
    start(cli, arguments);
    return finish(cli);
}

CliBench::Run CliBench::finish(QProcess& cli, int timeoutMs) {
    cli.waitForFinished(timeoutMs);
    return {cli.exitCode(), QString::fromLocal8Bit(cli.readAllStandardOutput()),
            QString::fromLocal8Bit(cli.readAllStandardError())};
}

QJsonObject CliBench::json(const QString& out) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning() << "not JSON:" << error.errorString() << out;
    return document.object();
}
