#include "Simulator.h"

#include "Errno.h"
#include "Pty.h"
#include "Recorder.h"
#include "SimOptions.h"

#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr char kDc3 = 19;
// Flipped in every byte read on a mismatched line: another byte, never the one sent.
constexpr char kMisreadBit = static_cast<char>(0x80);
constexpr std::size_t kGarbageBytes = 40;
// Long enough for a polling client to collect the half answer before the line dies.
constexpr std::chrono::milliseconds kHangupGrace{1000};

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t g_stopRequested = 0;
// The mask ppoll() waits with: the stop signals are blocked everywhere else, so one
// arriving between the flag check and the wait cannot be missed.
sigset_t g_waitMask;

void requestStop(int) {
    g_stopRequested = 1;
}

} // namespace

void Simulator::catchStopSignals() {
    sigset_t stops;
    sigemptyset(&stops);
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    for (const int signal : kStopSignals) {
        sigaddset(&stops, signal);
        sigaction(signal, &action, nullptr);
    }
    sigprocmask(SIG_BLOCK, &stops, &g_waitMask);
    for (const int signal : kStopSignals)
        sigdelset(&g_waitMask, signal);
}

Simulator::Simulator(const SimOptions& options, Pty& pty, Recorder& recorder)
    : m_options(options), m_pty(pty), m_recorder(recorder) {
    m_model.setFaults(options.refuse, options.ignore);
}

void Simulator::run() {
    while (!g_stopRequested) {
        const auto now = Clock::now();
        if (flush(now)) {
            m_pty.awaitClientRead(kHangupGrace);
            m_pty.closeMaster();
            return;
        }
        pollfd fd{m_pty.master(), static_cast<short>(POLLIN | (m_writeBlocked ? POLLOUT : 0)), 0};
        // Sleep until input, until the next chunk is due, or (when the client does not
        // read) until the terminal takes output again.
        timespec timeout{};
        const bool timed = !m_writeBlocked && !m_output.empty();
        if (timed) {
            const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(
                readyAt(m_output.front()) - now);
            timeout.tv_sec = static_cast<time_t>(wait.count() / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(wait.count() % 1'000'000'000);
        }
        if (ppoll(&fd, 1, timed ? &timeout : nullptr, &g_waitMask) < 0) {
            if (errno == EINTR)
                continue;
            throwErrno("ppoll");
        }
        if (fd.revents & (POLLIN | POLLERR | POLLHUP))
            readMaster();
    }
}

void Simulator::readMaster() {
    char buffer[512];
    const auto count = read(m_pty.master(), buffer, sizeof buffer);
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    // Cannot happen while the Pty holds the slave open; stop rather than spin.
    if (count <= 0)
        throwErrno("read master");
    receive({buffer, static_cast<std::size_t>(count)}, Clock::now());
}

void Simulator::receive(std::string_view bytes, Clock::time_point now) {
    m_lastReceived = now;
    m_recorder.logReceived(bytes);
    // Read now, before any of these bytes is answered: the tool may have changed them.
    if (m_options.line && !m_options.line->matches(m_pty.slaveSettings())) {
        misread(bytes, now);
        return;
    }
    for (const char byte : bytes) {
        // With --xoff, DC3 rides ahead of the echo of each "|", as the only flow-control
        // byte apart from the DC1 that ends every answer.
        std::string echoed = m_options.xoff && byte == '|' ? std::string(1, kDc3) : "";
        // The CR that ends a command is not echoed: every answer starts with it instead.
        const bool endsCommand = m_frame && byte == '\r';
        if (!m_options.noEcho && !endsCommand)
            echoed += byte;
        queueEcho(echoed, now);

        // A "|" inside a frame starts over: the unfinished command is dropped.
        if (byte == '|') {
            m_frame.emplace();
        } else if (m_frame && byte == '\r') {
            answer(*m_frame, now);
            m_frame.reset();
        } else if (m_frame) {
            m_frame->push_back(byte);
        }
    }
}

void Simulator::misread(std::string_view bytes, Clock::time_point now) {
    m_frame.reset();
    std::string echoed;
    for (const char byte : bytes)
        echoed.push_back(static_cast<char>(byte ^ kMisreadBit));
    if (!m_options.noEcho)
        queueEcho(echoed, now);
}

void Simulator::queueEcho(std::string_view bytes, Clock::time_point now) {
    if (bytes.empty())
        return;
    if (!m_output.empty() && m_output.back().echo)
        m_output.back().bytes += bytes;
    else
        m_output.push_back({std::string(bytes), now, true, false});
}

void Simulator::answer(std::string_view command, Clock::time_point now) {
    const auto elapsedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - m_start).count();
    const auto travel = static_cast<std::uint64_t>(elapsedMs) * m_options.speed / 1000;
    auto reply = m_model.execute(command, travel);
    // The device still carries out commands whose answers the faults spoil or drop.
    if (reply.accepted)
        m_recorder.writeState(m_model.stateText());

    auto bytes = withFaults(std::move(reply.bytes));
    const bool hangup = m_options.hangupAfter == m_answers++;
    if (hangup)
        bytes.resize(bytes.size() / 2);
    m_output.push_back(
        {std::move(bytes), now + std::chrono::milliseconds(m_options.slowMs), false, hangup});
}

std::string Simulator::withFaults(std::string answer) {
    if (m_options.garbage) {
        // 0..254, then skip 17 so DC1 never appears.
        std::uniform_int_distribution<int> value(0, 254);
        answer.clear();
        for (std::size_t i = 0; i < kGarbageBytes; ++i) {
            const int v = value(m_random);
            answer.push_back(static_cast<char>(v >= EncoderModel::kDc1 ? v + 1 : v));
        }
    } else if (m_options.flood) {
        answer.clear();
        for (unsigned i = 0; i < *m_options.flood; ++i)
            answer.push_back(static_cast<char>('A' + i % 26));
        answer += std::string(">") + EncoderModel::kDc1;
    }
    if (m_options.noDc1 && !answer.empty() && answer.back() == EncoderModel::kDc1)
        answer.pop_back();
    if (m_options.silent)
        answer.clear();
    return answer;
}

Simulator::Clock::time_point Simulator::readyAt(const Chunk& chunk) const {
    if (chunk.echo && m_options.lateEchoMs)
        return m_lastReceived + std::chrono::milliseconds(*m_options.lateEchoMs);
    return chunk.due;
}

bool Simulator::flush(Clock::time_point now) {
    m_writeBlocked = false;
    while (!m_output.empty() && readyAt(m_output.front()) <= now) {
        auto& chunk = m_output.front();
        const auto written = write(m_pty.master(), chunk.bytes.data(), chunk.bytes.size());
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            throwErrno("write master");
        if (written > 0)
            chunk.bytes.erase(0, static_cast<std::size_t>(written));
        if (!chunk.bytes.empty()) {
            m_writeBlocked = true;
            return false;
        }
        const bool hangup = chunk.hangup;
        m_output.pop_front();
        if (hangup)
            return true;
    }
    return false;
}
