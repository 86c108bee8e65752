#include "Recorder.h"

#include "Errno.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

// Whole buffer or an error; a record must not silently lose bytes.
void writeAll(int fd, std::string_view bytes, const std::string& what) {
    while (!bytes.empty()) {
        const auto written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            throwErrno(what);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace

Recorder::Recorder(const std::string& logPath, std::string statePath)
    : m_statePath(std::move(statePath)) {
    if (logPath.empty())
        return;
    m_log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_log < 0)
        throwErrno("open " + logPath);
}

Recorder::~Recorder() {
    if (m_log >= 0)
        close(m_log);
}

void Recorder::logReceived(std::string_view bytes) {
    if (m_log >= 0)
        writeAll(m_log, bytes, "write log");
}

void Recorder::writeState(std::string_view text) {
    if (m_statePath.empty())
        return;
    const auto temp = m_statePath + ".tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throwErrno("open " + temp);
    try {
        writeAll(fd, text, "write " + temp);
    } catch (...) {
        close(fd);
        throw;
    }
    close(fd);
    if (std::rename(temp.c_str(), m_statePath.c_str()) != 0)
        throwErrno("rename to " + m_statePath);
}
