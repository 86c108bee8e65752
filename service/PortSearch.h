#pragma once

#include "service/SearchResult.h"

#include "link/SearchTry.h"

#include <QThread>
#include <atomic>

class ExchangeLog;
class SerialPort;
class Waiter;

// The search on one port, on a thread of its own with its own port object and wait timer,
// so ports are searched side by side. It tries the line settings in their order and stops
// at the first that finds the encoder, or at the first whose echo is right but whose answer
// is no acknowledgement or none: the device is there, at those settings, and refuses POS or
// keeps silent. The stop flag is looked at between tries only: the try under way always
// ends; the cut flag ends it at once, between two characters. The port is closed at the
// end whatever happened.
class PortSearch : public QThread {
    Q_OBJECT
public:
    // current: the settings the port holds now, tried first; flow stays as it is.
    // log: where every try goes as well, or nullptr.
    PortSearch(const PortRef& port, const QString& current, int flow, const std::atomic_bool& stop,
               const std::atomic_bool& cut, ExchangeLog* log);

    // Complete once the thread has finished.
    SearchResult result;

signals:
    // From the search's thread, before each try.
    void trying(const QString& port, const QString& settings);

protected:
    void run() override;

private:
    void search(SerialPort& port, Waiter& waiter);
    // Whether the try at these settings ended the search.
    bool tryAt(SerialPort& port, Waiter& waiter, const QString& settings);
    void log(const SerialPort& port, const SearchTry::Result& answer, qint64 at, qint64 ms);

    const QString m_current;
    const int m_flow;
    const std::atomic_bool& m_stop;
    const std::atomic_bool& m_cut;
    ExchangeLog* m_log;
};
