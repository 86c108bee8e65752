#pragma once

#include "service/SearchResult.h"

#include <QList>
#include <QObject>
#include <atomic>
#include <memory>
#include <vector>

class ExchangeLog;
class PortSearch;

// The search for an encoder over several ports, one thread each, as both front-ends run
// it. Only POS is ever sent. Every port is reported, also when nothing is found; the search
// never settles on a default.
class EncoderSearch : public QObject {
    Q_OBJECT
public:
    // current: the line settings tried first on every port; flow: the flow control kept.
    // log: where every try goes as well, or nullptr.
    EncoderSearch(QList<PortRef> ports, QString current, int flow, ExchangeLog* log = nullptr);
    ~EncoderSearch() override;

    // Searches every port (once per object) and returns once all are through, one result
    // each in the order given. The calling thread's events are processed meanwhile, so a
    // window stays live and stop() can be called from a handler.
    QList<SearchResult> run();
    // Every port ends after its running try.
    void stop() { m_stop = true; }
    // Every port ends at once, between two characters (CutOffPort).
    void cut() {
        m_stop = true;
        m_cut = true;
    }
    bool stopping() const { return m_stop; }
    // Stops every port and returns once all are closed, for a program that ends in the
    // middle of run().
    void finish();

    // What the settings dialog's probe looks at: COM1 to COM16 and every other number
    // ZINTOR_COM<n> points somewhere; numbers whose device does not exist are left out.
    static QList<PortRef> defaultPorts();

signals:
    void trying(const QString& port, const QString& settings);
    // A port is through: its result, and how many of all are.
    void portFinished(const SearchResult& result, int done, int total);

private:
    QList<PortRef> m_ports;
    std::vector<std::unique_ptr<PortSearch>> m_searches;
    QString m_current;
    int m_flow;
    ExchangeLog* m_log;
    std::atomic_bool m_stop{false};
    std::atomic_bool m_cut{false};
};
