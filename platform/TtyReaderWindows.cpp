#include "platform/TtyReader.h"

#include <windows.h>

namespace {

// QSerialPort opens the handle for overlapped I/O, so every read needs an OVERLAPPED; a
// read of no more than ClearCommError counted completes at once.
bool readWaiting(HANDLE handle, char* buffer, DWORD wanted, DWORD* got) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return false;
    bool ok = ::ReadFile(handle, buffer, wanted, got, &overlapped) ||
              (::GetLastError() == ERROR_IO_PENDING &&
               ::GetOverlappedResult(handle, &overlapped, got, TRUE));
    const DWORD error = ::GetLastError();
    ::CloseHandle(overlapped.hEvent);
    ::SetLastError(error);
    return ok;
}

bool gone(DWORD error) {
    return error == ERROR_DEVICE_REMOVED || error == ERROR_OPERATION_ABORTED ||
           error == ERROR_INVALID_HANDLE || error == ERROR_BAD_COMMAND ||
           error == ERROR_GEN_FAILURE || error == ERROR_ACCESS_DENIED;
}

} // namespace

// The count first (ClearCommError), then exactly that much: QSerialPort's own reading,
// which waits for a comm event, is not used.
TtyReader::Outcome TtyReader::fetch(SerialControl::Handle handle) {
    char buffer[4096];
    for (;;) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!::ClearCommError(handle, &errors, &status)) {
            m_error = int(::GetLastError());
            return gone(DWORD(m_error)) ? Outcome::HungUp : Outcome::Failed;
        }
        if (status.cbInQue == 0)
            return Outcome::Fine;
        const DWORD wanted = std::min<DWORD>(status.cbInQue, sizeof buffer);
        DWORD got = 0;
        if (!readWaiting(handle, buffer, wanted, &got)) {
            m_error = int(::GetLastError());
            return gone(DWORD(m_error)) ? Outcome::HungUp : Outcome::Failed;
        }
        if (got == 0)
            return Outcome::Fine;
        m_kept.append(buffer, got);
    }
}

bool TtyReader::hungUp(SerialControl::Handle handle) {
    DWORD errors = 0;
    COMSTAT status{};
    return !::ClearCommError(handle, &errors, &status) && gone(::GetLastError());
}
