#include "PostgresServer.h"

#include <QDir>
#include <QProcess>
#include <unistd.h>

namespace {

QString binFolder() {
    const QStringList versions =
        QDir(QStringLiteral("/usr/lib/postgresql"))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    return versions.isEmpty() ? QString()
                              : QStringLiteral("/usr/lib/postgresql/%1/bin").arg(versions.first());
}

} // namespace

bool postgresRequired() {
    return qEnvironmentVariable("ZINTOR_REQUIRE_POSTGRES") == u"1";
}

PostgresServer::PostgresServer() : m_bin(binFolder()) {
    if (m_bin.isEmpty()) {
        m_why = QStringLiteral("no /usr/lib/postgresql/*/bin (Debian package postgresql)");
        return;
    }
    // The server refuses to run as root; the folder goes to the user it runs as.
    if (::geteuid() == 0 &&
        QProcess::execute(QStringLiteral("chown"),
                          {QStringLiteral("-R"), QStringLiteral("nobody:nogroup"), m_dir.path()}) !=
            0) {
        m_why = QStringLiteral("chown nobody failed");
        return;
    }
    if (tool(QStringLiteral("initdb"), {"-D", m_dir.filePath("data"), "-A", "trust", "-U", "zintor",
                                        "--no-sync", "-E", "UTF8"}))
        start();
}

PostgresServer::~PostgresServer() {
    if (m_running)
        stop();
}

QString PostgresServer::url() const {
    return QStringLiteral("postgresql://zintor@/postgres?host=") + m_dir.path();
}

bool PostgresServer::start() {
    m_running = tool(QStringLiteral("pg_ctl"),
                     {"-D", m_dir.filePath("data"), "-l", m_dir.filePath("log"), "-w", "-o",
                      QStringLiteral("-k %1 -c listen_addresses= -c fsync=off").arg(m_dir.path()),
                      "start"});
    return m_running;
}

bool PostgresServer::stop() {
    const bool stopped =
        tool(QStringLiteral("pg_ctl"), {"-D", m_dir.filePath("data"), "-w", "-m", "fast", "stop"});
    m_running = !stopped;
    return stopped;
}

bool PostgresServer::tool(const QString& name, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString program = m_bin + u'/' + name;
    if (::geteuid() == 0)
        process.start(QStringLiteral("runuser"),
                      QStringList{"-u", "nobody", "--", program} + arguments);
    else
        process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        m_why = name + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll()).trimmed();
        return false;
    }
    return true;
}
