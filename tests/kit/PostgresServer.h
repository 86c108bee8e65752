#pragma once

#include <QString>
#include <QTemporaryDir>

// A throwaway PostgreSQL cluster in a temporary folder, listening on a Unix socket only,
// run as an unprivileged user (nobody, when the tests run as root). Debian's postgresql
// package provides initdb and pg_ctl.
class PostgresServer {
public:
    // Made and started; why() says what failed when not running().
    PostgresServer();
    ~PostgresServer();

    bool running() const { return m_running; }
    const QString& why() const { return m_why; }
    // postgresql://zintor@/postgres?host=FOLDER
    QString url() const;

    bool stop();
    bool start();

private:
    bool tool(const QString& name, const QStringList& arguments);

    QTemporaryDir m_dir;
    QString m_bin;
    bool m_running = false;
    QString m_why;
};

// Whether CI installed PostgreSQL and so a test that needs it must fail, not skip, without it.
bool postgresRequired();

// In a test function: a server that is not running fails the test where PostgreSQL is
// required, and skips it elsewhere.
#define ZINTOR_NEED_SERVER(server)                                                                 \
    do {                                                                                           \
        if (!(server).running()) {                                                                 \
            const QString text = "PostgreSQL could not be started: " + (server).why();             \
            if (postgresRequired())                                                                \
                QFAIL(qPrintable(text));                                                           \
            QSKIP(qPrintable(text));                                                               \
        }                                                                                          \
    } while (false)
