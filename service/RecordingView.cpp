#include "service/RecordingView.h"

#include "link/Exchange.h"
#include "link/SerialPort.h"
#include "platform/PortMap.h"
#include "service/ExchangeLog.h"

#include <QDateTime>

void RecordingView::logTo(ExchangeLog& log, const SerialPort& port) {
    m_log = &log;
    m_port = &port;
}

void RecordingView::log() {
    if (!m_log)
        return;
    const int com = m_port->commPort();
    m_log->add({m_startedAt, com, PortMap::devicePath(com), m_port->settings(),
                Flow(m_port->handshaking()), m_last, m_failure, m_clock.elapsed()});
}

Flow RecordingView::flowToRestore() const {
    return m_shown ? m_shown->flowToRestore() : m_flow;
}

void RecordingView::exchangeStarted() {
    m_last = Exchanged();
    m_listing.clear();
    m_failure.clear();
    m_failing = false;
    if (m_log) {
        m_startedAt = QDateTime::currentMSecsSinceEpoch();
        m_clock.start();
    }
    if (m_shown)
        m_shown->exchangeStarted();
}

void RecordingView::sendingStarted(const QString& framed) {
    m_last.sent = framed;
    if (m_shown)
        m_shown->sendingStarted(framed);
}

void RecordingView::echoShown(const QString& echo) {
    m_last.echo = echo;
    if (m_shown)
        m_shown->echoShown(echo);
}

void RecordingView::commandTerminated() {
    if (m_shown)
        m_shown->commandTerminated();
}

void RecordingView::collectingPass() {
    if (m_shown)
        m_shown->collectingPass();
}

void RecordingView::replyShown(const ReplyReport& report) {
    m_last.reply = report.reply;
    m_last.acknowledged = report.status.kind == Reply::Kind::Acknowledged;
    const QString& shown = report.status.shown;
    if (shown == u">" || shown == u"?" || shown == u"!?")
        m_last.status = shown;
    else
        m_last.status = shown.isEmpty() ? QStringLiteral("none") : QStringLiteral("other");
    m_last.wantsPosition = report.wantsPosition;
    m_last.position = report.position;
    if (m_shown)
        m_shown->replyShown(report);
}

void RecordingView::listingReceived(const QString& listing) {
    m_listing = listing;
    if (m_shown)
        m_shown->listingReceived(listing);
}

void RecordingView::exchangeEnded() {
    if (!m_failing)
        log();
    if (m_shown)
        m_shown->exchangeEnded();
}

void RecordingView::pollingStopped() {
    m_failing = true;
    if (m_shown)
        m_shown->pollingStopped();
}

void RecordingView::failureReported(const QString& message) {
    // The panel's message box text without its heading: the port's own description.
    const QString heading = Exchange::failureMessage(QString());
    m_failure = message.startsWith(heading) ? message.mid(heading.size()) : message;
    log(); // before the panel's message box, which waits for the operator
    if (m_shown)
        m_shown->failureReported(message);
}
