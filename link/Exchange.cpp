#include "link/Exchange.h"

#include "link/ExchangeView.h"
#include "link/Reply.h"
#include "link/SerialError.h"
#include "link/SerialPort.h"
#include "link/Waiter.h"

namespace {
constexpr qint16 CharacterPause = 50;
constexpr qint16 EchoGrace = 300;
const QString NoEcho = QStringLiteral("NO ECHO !!");
} // namespace

Exchange::Exchange(SerialPort& port, Waiter& waiter, ExchangeView& view)
    : m_port(port), m_waiter(waiter), m_view(view) {}

QString Exchange::failureMessage(const QString& description) {
    return QStringLiteral("Serial error:     ") + description;
}

void Exchange::Tx(QString& Testo, Tipo tipo) {
    m_view.exchangeStarted();
    m_port.discardOutput();
    m_port.discardInput();
    try {
        run(Testo, tipo);
    } catch (const SerialError& e) {
        fail(e.description());
    } catch (const std::exception& e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
}

void Exchange::run(QString& Testo, Tipo tipo) {
    if (!m_port.portOpen())
        m_port.setPortOpen(true);
    Testo.prepend(u'|');
    m_view.sendingStarted(Testo);

    for (const QChar c : std::as_const(Testo)) {
        m_port.output(QString(c));
        wait(CharacterPause);
    }
    wait(CharacterPause);

    testEcho();
    m_port.output(QStringLiteral("\r"));
    m_view.commandTerminated();

    const QString reply = collect();
    const QString kept = Reply::trimmed(reply, Flow(m_port.handshaking()));
    ExchangeView::ReplyReport report;
    report.framed = Testo;
    report.reply = reply;
    report.wantsPosition = tipo == Tipo::Position;
    if (report.wantsPosition)
        report.position = Reply::position(reply);
    report.hexDump = Reply::hexDump(reply);
    report.status = Reply::classify(kept);
    m_view.replyShown(report);

    if (tipo == Tipo::Listing)
        m_view.listingReceived(kept);
    m_view.exchangeEnded();
}

void Exchange::testEcho() {
    if (m_port.inBufferCount() > 0) {
        m_view.echoShown(m_port.input());
        return;
    }
    // Output may be held by an XOFF: let it go, give the device time, then restore.
    m_port.setHandshaking(int(Flow::None));
    wait(EchoGrace);
    m_port.setHandshaking(int(m_view.flowToRestore()));
    if (m_port.inBufferCount() == 0) {
        m_view.echoShown(NoEcho);
        return;
    }
    m_view.echoShown(m_port.input());
    if (!m_port.portOpen())
        m_port.setPortOpen(true);
    wait(EchoGrace);
    m_port.setSettings(SerialPort::SafeSettings);
    m_port.setHandshaking(int(m_view.flowToRestore()));
}

QString Exchange::collect() {
    QString reply;
    bool gaveUp = false;
    for (int pass = 1;; ++pass) {
        m_waiter.DoEvents();
        m_view.collectingPass();
        if (pass > MaxReads) {
            gaveUp = true;
            break;
        }
        wait(CharacterPause);
        reply += m_port.input();
        if (Reply::endMarkReached(reply, Flow(m_port.handshaking())))
            break;
    }
    // Without flow control the last character is trimmed later; this keeps a ">" in place.
    if (gaveUp && reply.endsWith(u'>'))
        reply += u'<';
    return reply;
}

void Exchange::fail(const QString& description) {
    m_view.pollingStopped();
    if (m_port.portOpen())
        m_port.setPortOpen(false);
    m_view.exchangeEnded();
    m_view.failureReported(failureMessage(description));
}

void Exchange::wait(qint16 ms) {
    m_waiter.Attendi(ms);
}
