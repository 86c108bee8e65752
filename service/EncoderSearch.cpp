#include "service/EncoderSearch.h"

#include "platform/PortMap.h"
#include "service/PortSearch.h"

#include <QEventLoop>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <algorithm>

namespace {

// The probe's numbers.
constexpr int ProbedPorts = 16;

} // namespace

EncoderSearch::EncoderSearch(QList<PortRef> ports, QString current, int flow, ExchangeLog* log)
    : m_ports(std::move(ports)), m_current(std::move(current)), m_flow(flow), m_log(log) {}

EncoderSearch::~EncoderSearch() {
    finish();
}

void EncoderSearch::finish() {
    stop();
    for (const auto& search : m_searches)
        search->wait();
}

QList<SearchResult> EncoderSearch::run() {
    QEventLoop loop;
    int done = 0;
    const int total = int(m_ports.size());
    for (const PortRef& port : std::as_const(m_ports)) {
        m_searches.push_back(
            std::make_unique<PortSearch>(port, m_current, m_flow, m_stop, m_cut, m_log));
        PortSearch* search = m_searches.back().get();
        connect(search, &PortSearch::trying, this, &EncoderSearch::trying);
        connect(search, &QThread::finished, &loop, [this, search, &done, total, &loop] {
            search->wait();
            emit portFinished(search->result, ++done, total);
            if (done == total)
                loop.quit();
        });
    }
    for (const auto& search : m_searches)
        search->start();
    if (total > 0)
        loop.exec();
    QList<SearchResult> results;
    for (const auto& search : m_searches) {
        search->wait();
        results << search->result;
    }
    return results;
}

QList<PortRef> EncoderSearch::defaultPorts() {
    QList<int> numbers;
    for (int n = PortMap::firstNumber; n <= ProbedPorts; ++n)
        numbers << n;
    static const QRegularExpression mapped(QStringLiteral("^ZINTOR_COM(\\d+)$"));
    for (const QString& name : QProcessEnvironment::systemEnvironment().keys())
        if (const auto m = mapped.match(name); m.hasMatch()) {
            const int n = m.captured(1).toInt();
            if (PortMap::isValid(n) && !numbers.contains(n))
                numbers << n;
        }
    std::sort(numbers.begin(), numbers.end());
    QList<PortRef> ports;
    for (const int n : std::as_const(numbers))
        if (PortMap::present(n))
            ports << PortRef{n, QStringLiteral("COM%1").arg(n)};
    return ports;
}
