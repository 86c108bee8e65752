#pragma once

#include "cli/PortList.h"

#include <QStringList>
#include <optional>

// What the command line asks for.
struct Options {
    enum class Operation { Send, Pos, Read, Apply, Verify };

    Operation operation = Operation::Send;
    QStringList commands; // send
    QString profile;      // apply, verify
    QString output;       // read; empty: standard output
    QString log;          // every exchange to this file; empty: none
    bool watch = false;   // pos
    qint16 delayMs = 2;   // pos: the pause between reads, as the panel's delay box starts
    int count = 0;        // pos: reads; 0 is one read, or endless with --watch
    QList<PortRef> ports;
    QString settings = QStringLiteral("9600,n,8,1");
    int flow = 1; // XON/XOFF, as the panel's port starts
    bool json = false;
    bool trace = false;
    bool quiet = false;

    // The options, or the exit status when --help or --version has answered.
    // Throws UsageError.
    static std::optional<Options> parse(const QStringList& arguments, int* answered);

    static QString operationName(Operation operation);
};
