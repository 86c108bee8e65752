#pragma once

#include "service/PortRef.h"
#include "service/RecordingView.h"

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
    enum class Result {
        Listed,        // read: as the listing gave it
        Kept,          // read: a name the tool does not know, kept as a comment
        Ok,            // wanted and found alike
        Differs,       // found something else
        NotReported,   // the listing should show it and does not
        Refused,       // the encoder did not acknowledge it
        NotWritten,    // the apply stopped before it
        NotVerifiable, // sent, or to be sent, but no listing shows it
        ReadOnly,      // shown, never compared
        Written,       // acknowledged, but stopped before the read-back
    };

    QString item;
    QString wanted;
    QString found;
    QString verdict; // the result in words, "refused (!?)"
    Result result = Result::Listed;

    // Rows an operator has to look at.
    bool needsAttention() const {
        return result == Result::Differs || result == Result::NotReported ||
               result == Result::Refused || result == Result::NotWritten;
    }
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

    // apply: the items acknowledged so far, as every report words them: "written: CODE CNT".
    QString writtenSoFar() const {
        return QStringLiteral("written: ") +
               (written.isEmpty() ? QStringLiteral("nothing") : written.join(u' '));
    }

    void raise(int to, const QString& problem) {
        status = std::max(status, to);
        problems << problem;
    }
};
