#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// What the records store holds: runs, the units programmed in them, and each unit's items
// as the result table shows them. Ids are UUIDs made by the tool, so a record sent twice
// (from the spool, after a server came back) is the same record.
namespace Records {

// How a unit ended, as the store spells it.
enum class Outcome { Passed, Differs, Refused, PortFailure, Stopped };
QString outcomeName(Outcome outcome);
// Throws nothing: an unknown name reads as nothing.
std::optional<Outcome> outcomeFrom(const QString& name);

struct Run {
    QString id;
    QString station;
    QString operatorName;
    QString profileFile;
    QString profileSha256;
    QString profileText;
    QDateTime started;
    QDateTime ended; // invalid while the run goes on
};

struct Item {
    QString item;
    QString wanted;
    QString found;
    QString result;
};

struct Unit {
    QString id;
    QString serial;
    QString runId;
    QString port;
    QDateTime started;
    QDateTime ended;
    Outcome outcome = Outcome::Stopped;
    QString headline;
    QList<Item> items;
    // From its run, when read back from the store.
    QString station;
    QString operatorName;
    QString profileFile;
};

// Times as the store keeps them: UTC, to the millisecond, in text that sorts by time.
QString timeText(const QDateTime& time);
QDateTime timeFrom(const QString& text);

QString newId();

} // namespace Records
