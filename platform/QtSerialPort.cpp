#include "platform/QtSerialPort.h"

#include "link/SerialError.h"
#include "platform/LineSettings.h"
#include "platform/PortFailure.h"
#include "platform/PortHold.h"
#include "platform/PortMap.h"
#include "platform/SerialControl.h"
#include "platform/TtyReader.h"

#include <QSocketNotifier>
#include <QTimer>
#include <utility>

using SerialControl::RtsCts;
using SerialControl::XonXoff;

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onErrorOccurred);
    setSettings(SafeSettings);
}

void QtSerialPort::setCommPort(int number) {
    if (!PortMap::isValid(number))
        throw SerialError(QStringLiteral("COM%1: no such port number. Choose COM%2 to COM%3.")
                              .arg(number)
                              .arg(PortMap::firstNumber)
                              .arg(PortMap::lastNumber));
    if (m_open && number != m_number)
        throw SerialError(label() + QStringLiteral(": the port is open; close it first, then "
                                                   "choose COM%1.")
                                        .arg(number));
    m_number = number;
}

void QtSerialPort::setSettings(const QString& text) {
    LineSettings line;
    const QString problem = line.parse(text);
    if (!problem.isEmpty())
        throw SerialError(label() + QStringLiteral(": settings \"%1\" are not valid: %2. Write "
                                                   "baud,parity,data bits,stop bits such as "
                                                   "9600,n,8,1.")
                                        .arg(text, problem));
    if (live()) {
        const LineSettings previous{m_port.baudRate(), m_port.parity(), m_port.dataBits(),
                                    m_port.stopBits()};
        m_systemError = 0;
        if (!line.applyTo(m_port) && !SerialControl::keepsItsLine(m_port.handle())) {
            const int failure = m_systemError;
            previous.applyTo(m_port);
            throw SerialError(label() + QStringLiteral(": the device refused settings \"%1\" "
                                                       "(%2); \"%3\" stay in force.")
                                            .arg(text, PortFailure::reason(failure), m_settings));
        }
    } else {
        line.applyTo(m_port); // a closed QSerialPort only stores them for open()
    }
    m_settings = text;
    m_parity = line.parity != QSerialPort::NoParity;
    if (live())
        applyControl(); // handshaking and RTS stay as they were; the odd flag may go
}

void QtSerialPort::setHandshaking(int code) {
    if (code < 0 || code > (XonXoff | RtsCts))
        throw SerialError(label() + QStringLiteral(": handshaking %1 does not exist; use 0 (none), "
                                                   "1 (XON/XOFF), 2 (RTS/CTS) or 3 (both).")
                                        .arg(code));
    const int previous = m_handshaking;
    m_handshaking = code;
    if (!live())
        return;
    if (const int failure = applyControl()) {
        m_handshaking = previous;
        throw SerialError(PortFailure::systemError(m_number, m_device, failure));
    }
    // Clearing IXON restarts output stopped by DC3 (n_tty_set_termios); send what waited.
    m_port.flush();
}

void QtSerialPort::setRtsEnable(bool on) {
    m_rts = on;
    if (!live())
        return;
    if (const int failure = applyControl())
        throw SerialError(PortFailure::systemError(m_number, m_device, failure));
}

void QtSerialPort::setPortOpen(bool open) {
    if (open && m_open && !m_lost)
        return;
    closePort();
    if (open)
        openPort();
}

void QtSerialPort::openPort() {
    m_device = PortMap::devicePath(m_number);
    m_port.setPortName(m_device); // a full path: QSerialPort would look for "COM1" in /dev
    m_systemError = 0;
    if (SerialControl::absent(m_device))
        throw SerialError(
            PortFailure::openFailed(m_number, m_device, QSerialPort::DeviceNotFoundError, 0));
    // Before QSerialPort opens it: its open sets the line at once.
    const PortHold::Outcome hold = m_hold.take(m_device);
    if (hold == PortHold::Outcome::Held)
        throw SerialError(PortFailure::busy(m_number, m_device));
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_hold.release();
        throw SerialError(
            PortFailure::openFailed(m_number, m_device, m_port.error(), m_systemError));
    }
    // What kept the device from being held would have failed QSerialPort too; if not, the
    // port is not used unheld.
    const int failure = hold == PortHold::Outcome::Unopened ? m_hold.error() : applyControl();
    if (failure != 0) {
        closePort();
        throw SerialError(PortFailure::systemError(m_number, m_device, failure));
    }
    m_open = true;
    stopReadNotifications();
}

void QtSerialPort::closePort() {
    m_open = false; // first, so errors raised while closing are not taken for a loss
    if (m_port.isOpen())
        m_port.close();
    m_hold.release();
    m_received.clear();
    m_lost = false;
    m_failure.clear();
}

void QtSerialPort::discardOutput() {
    if (live())
        m_port.clear(QSerialPort::Output);
}

void QtSerialPort::discardInput() {
    if (!live())
        return;
    drain(); // so bytes still in flight are discarded too, not found by the next read
    m_received.clear();
    m_port.clear(QSerialPort::Input);
}

int QtSerialPort::inBufferCount() {
    requireOpen();
    if (live())
        drain();
    reportLoss();
    return int(m_received.size());
}

QString QtSerialPort::input() {
    requireOpen();
    if (live())
        drain();
    reportLoss();
    if (!live())
        return {};
    return QString::fromLatin1(m_received.take());
}

void QtSerialPort::output(const QString& text) {
    requireOpen();
    if (live()) {
        QByteArray bytes;
        for (const char32_t c : text.toUcs4())
            bytes += c <= 0xff ? char(c) : '?';
        send(bytes);
    }
    reportLoss();
}

QString QtSerialPort::device() const {
    return m_open ? m_device : PortMap::devicePath(m_number);
}

QString QtSerialPort::label() const {
    return PortFailure::label(m_number, device());
}

// True while the QSerialPort is open and working. A lost one is closed here rather than in
// its error signal, where QSerialPort code is still running on it.
bool QtSerialPort::live() {
    if (m_lost && m_port.isOpen())
        m_port.close();
    return m_port.isOpen();
}

void QtSerialPort::requireOpen() const {
    if (!m_open)
        throw SerialError(label() + QStringLiteral(": the port is closed. Open it first."));
}

void QtSerialPort::reportLoss() {
    if (!live() && !m_failure.isEmpty())
        throw SerialError(std::exchange(m_failure, QString()));
}

// Straight into the driver when nothing is queued: QSerialPort would watch the descriptor
// for one event loop pass after every write. Held back by XOFF, or failing, the bytes go
// through QSerialPort, which queues them for the event loop or reports the failure.
void QtSerialPort::send(const QByteArray& bytes) {
    qsizetype sent = 0;
    if (m_port.bytesToWrite() == 0)
        sent = SerialControl::writeNow(m_port.handle(), bytes);
    if (sent < bytes.size()) {
        m_port.write(bytes.constData() + sent, bytes.size() - sent);
        m_port.flush();
    }
}

// All reading is by polling (drain), so the event loop need not wake for each byte that
// arrives; QSerialPort turns its notifier on at open and never again, as it reads nothing.
void QtSerialPort::stopReadNotifications() {
    for (QSocketNotifier* notifier : m_port.findChildren<QSocketNotifier*>())
        if (notifier->type() == QSocketNotifier::Read)
            notifier->setEnabled(false);
}

// Fetches what the system holds now. Reading through QSerialPort would turn its notifier
// on and off again around every read, each time waking the event loop.
void QtSerialPort::drain() {
    // Where QSerialPort does read by itself (on Windows), what it took came first.
    if (m_port.bytesAvailable() > 0)
        m_received.keep(m_port.readAll());
    const TtyReader::Outcome outcome = m_received.fetch(m_port.handle());
    if (outcome == TtyReader::Outcome::Fine || m_lost)
        return;
    m_systemError = outcome == TtyReader::Outcome::Failed ? m_received.error() : 0;
    markLost();
}

// Returns 0 or the system error of the failing call.
int QtSerialPort::applyControl() {
    return SerialControl::apply(m_port.handle(), m_parity, m_handshaking, m_rts);
}

void QtSerialPort::onErrorOccurred(QSerialPort::SerialPortError error) {
    const int systemError = SerialControl::lastError(); // first: anything below may change it
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    m_systemError = systemError;
    if (m_open && !m_lost && isFatal(error, systemError))
        markLost();
}

bool QtSerialPort::isFatal(QSerialPort::SerialPortError error, int systemError) const {
    // A hung-up tty reads 0 bytes and leaves errno stale: ask the descriptor itself.
    if (TtyReader::hungUp(m_port.handle()))
        return true;
    // Output held back by XOFF is flow control at work.
    return (error == QSerialPort::ResourceError || error == QSerialPort::WriteError) &&
           !SerialControl::heldBack(systemError);
}

// Left open, QSerialPort 6.4 reports a read error on every event loop pass after a
// hang-up, keeping a core busy; so it is closed on the next pass, even between exchanges.
void QtSerialPort::markLost() {
    m_lost = true;
    m_failure = PortFailure::lost(m_number, m_device);
    QTimer::singleShot(0, this, [this] { live(); });
}
