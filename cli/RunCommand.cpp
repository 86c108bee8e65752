#include "cli/RunCommand.h"

#include "cli/Console.h"
#include "cli/InputLines.h"
#include "cli/PortJob.h"
#include "platform/StopSignals.h"
#include "service/SerialNumber.h"
#include "service/StoreError.h"
#include "service/VisibleText.h"

RunCommand::RunCommand(const RunOptions& options, RunRecorder& recorder)
    : m_options(options), m_recorder(recorder) {
    for (const PortRef& ref : options.port.ports)
        m_ports.push_back(Port{ref, {}, nullptr, {}, {}});
}

RunCommand::~RunCommand() = default;

int RunCommand::exec() {
    // A second Ctrl+C cuts the running exchanges short too.
    const StopSignals ctrlC([this] { stopAll(); }, [this] { m_cut = true; });
    m_input =
        new InputLines([this](int n, const QString& text, bool tooLong) { line(n, text, tooLong); },
                       [this] {
                           m_inputEnded = true;
                           finishIfDone();
                       },
                       this);
    m_loop.exec();
    try {
        m_recorder.finish();
    } catch (const StoreError& e) {
        Console::err(QStringLiteral("zintor-cli: ") + e.text());
        m_status = std::max(m_status, ExitStatus::Usage);
    }
    tellSpooling();
    Console::err(QStringLiteral("zintor-cli: %1 units: %2 passed, %3 failed")
                     .arg(m_recorder.units())
                     .arg(m_recorder.passed())
                     .arg(m_recorder.failed()));
    return m_status;
}

void RunCommand::refuse(int number, const QString& why) {
    Console::err(QStringLiteral("zintor-cli: line %1: %2; nothing sent").arg(number).arg(why));
    m_status = std::max(m_status, ExitStatus::Usage);
}

void RunCommand::line(int number, const QString& text, bool tooLong) {
    if (m_halted)
        return;
    if (tooLong)
        return refuse(number, QStringLiteral("longer than %1 bytes").arg(InputLines::MaxLine));
    if (text.trimmed().isEmpty())
        return; // a scanner's stray Enter
    QString why;
    const QString serial = SerialNumber::checked(text, &why);
    if (serial.isEmpty())
        return refuse(number, why);
    if (m_taken.contains(serial) && !m_options.allowRepeat)
        return refuse(number, QStringLiteral("serial number %1 was taken earlier in this run "
                                             "(--allow-repeat programs it again)")
                                  .arg(serial));
    m_taken.insert(serial);
    Port& port = m_ports[std::size_t(m_next)];
    m_next = (m_next + 1) % qsizetype(m_ports.size());
    port.serials.enqueue(serial);
    if (!port.job)
        startNext(port);
}

void RunCommand::startNext(Port& port) {
    if (m_halted || port.serials.isEmpty())
        return finishIfDone();
    port.serial = port.serials.dequeue();
    port.started = QDateTime::currentDateTimeUtc();
    port.job = std::make_unique<PortJob>(m_options.port, port.ref, m_recorder.profile(), m_stop,
                                         m_cut, nullptr);
    connect(port.job.get(), &QThread::finished, this, [this, &port] { unitDone(port); });
    port.job->start();
}

void RunCommand::unitDone(Port& port) {
    port.job->wait();
    PortOutcome outcome = port.job->outcome;
    port.job.reset();
    try {
        const Records::Unit unit = m_recorder.record(port.serial, outcome, port.started);
        Console::out(unit.headline);
        m_status = std::max(m_status, outcome.status);
    } catch (const StoreError& e) {
        // Never shown as passed without its record.
        Console::out(QStringLiteral("FAIL %1 %2: not recorded: %3")
                         .arg(port.serial, VisibleText::of(port.ref.label), e.text()));
        Console::err(QStringLiteral("zintor-cli: %1; the run stops").arg(e.text()));
        m_status = std::max(m_status, ExitStatus::Usage);
        halt();
    }
    tellSpooling();
    startNext(port);
}

void RunCommand::stopAll() {
    m_stop = true;
    m_status = std::max(m_status, ExitStatus::Stopped);
    halt();
    finishIfDone();
}

void RunCommand::halt() {
    m_halted = true;
    m_input->stop();
    for (Port& port : m_ports) {
        if (!port.serials.isEmpty())
            Console::err(QStringLiteral("zintor-cli: %1: not started: %2")
                             .arg(VisibleText::of(port.ref.label), port.serials.join(u' ')));
        port.serials.clear();
    }
}

void RunCommand::finishIfDone() {
    if (!m_inputEnded && !m_halted)
        return;
    for (const Port& port : m_ports)
        if (port.job || !port.serials.isEmpty())
            return;
    m_loop.quit();
}

void RunCommand::tellSpooling() {
    const QString now = m_recorder.writer().spooling();
    if (now == m_spooling)
        return;
    if (now.isEmpty())
        Console::err(QStringLiteral("zintor-cli: %1 answers again; the spooled records were "
                                    "sent")
                         .arg(m_recorder.writer().address().named()));
    else if (m_spooling.isEmpty())
        Console::err(QStringLiteral("zintor-cli: spooling: ") + now);
    m_spooling = now;
}
