#include "cli/ConsoleView.h"

#include "link/Exchange.h"

void ConsoleView::exchangeStarted() {
    m_last = Exchanged();
    m_listing.clear();
    m_failure.clear();
}

void ConsoleView::replyShown(const ReplyReport& report) {
    m_last.reply = report.reply;
    m_last.acknowledged = report.status.kind == Reply::Kind::Acknowledged;
    const QString& shown = report.status.shown;
    if (shown == u">" || shown == u"?" || shown == u"!?")
        m_last.status = shown;
    else
        m_last.status = shown.isEmpty() ? QStringLiteral("none") : QStringLiteral("other");
    m_last.wantsPosition = report.wantsPosition;
    m_last.position = report.position;
}

void ConsoleView::failureReported(const QString& message) {
    // The panel's message box text without its heading: the port's own description.
    const QString heading = Exchange::failureMessage(QString());
    m_failure = message.startsWith(heading) ? message.mid(heading.size()) : message;
}
