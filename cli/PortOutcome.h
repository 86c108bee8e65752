#pragma once

#include "cli/ConsoleView.h"
#include "cli/PortList.h"

#include <QList>
#include <QStringList>
#include <algorithm>

// The exit statuses; with several ports the largest of theirs is the program's.
namespace ExitStatus {
constexpr int Done = 0;
constexpr int Refused = 1; // the device refused a command, or a value differs
constexpr int Usage = 2;   // a usage or profile error: nothing was sent
constexpr int PortFailed = 3;
constexpr int Stopped = 130; // Ctrl+C before the operation was through
} // namespace ExitStatus

// One row of a port's table: a profile item, what was wanted, what the encoder reports.
struct ItemRow {
    QString item;
    QString wanted;
    QString found;
    QString verdict;
};

// Everything one port's operation found out.
struct PortOutcome {
    PortRef port;
    int status = ExitStatus::Done;
    QStringList problems; // for the summary: "NS refused (!?)"
    QString failure;      // the port's failure: which port, which device, why
    QList<Exchanged> exchanges;
    QList<ItemRow> rows;
    QStringList written; // apply: the items the encoder acknowledged
    QString position;
    QString profile; // read: the profile's text

    void raise(int to, const QString& problem) {
        status = std::max(status, to);
        problems << problem;
    }
};
