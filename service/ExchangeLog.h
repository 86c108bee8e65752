#pragma once

#include "service/RecordingView.h"

#include <QMutex>
#include <deque>

// One exchange as the log keeps it: when, on which port and line, what went and came back.
struct LoggedExchange {
    qint64 at = 0; // when it began, in ms since the epoch
    int com = 0;
    QString device;
    QString settings;
    Flow flow = Flow::None;
    Exchanged exchange;
    QString failure; // the port's failure, empty when there was none
    qint64 ms = 0;
};

// The exchanges of a run, the latest ones kept, in one text format shared by the panel and
// the companion: a header line naming the columns, then one tab-separated line per
// exchange. Ports on threads of their own may add at once.
class ExchangeLog {
public:
    static constexpr qsizetype Kept = 10000;

    explicit ExchangeLog(qsizetype kept = Kept) : m_kept(kept) {}

    void add(LoggedExchange exchange);
    qsizetype size() const;
    // How many older exchanges made room for newer ones.
    qint64 dropped() const;

    // The whole log; a first "#" line says how many older exchanges were dropped, if any.
    QString text() const;
    static QString header();
    static QString line(const LoggedExchange& exchange);

private:
    mutable QMutex m_lock;
    qsizetype m_kept;
    std::deque<LoggedExchange> m_exchanges;
    qint64 m_dropped = 0;
};
