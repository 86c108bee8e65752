#include "platform/SerialControl.h"

#include <windows.h>

namespace SerialControl {

// Windows tells a missing COM port only by opening it, which is quick.
bool absent(const QString&) {
    return false;
}

// Every COM handle has a driver that answers for its line.
bool keepsItsLine(Handle) {
    return false;
}

int apply(Handle handle, bool parity, int handshaking, bool rts) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(handle, &dcb))
        return int(::GetLastError());
    dcb.fParity = parity;
    dcb.fOutX = dcb.fInX = (handshaking & XonXoff) != 0;
    dcb.fOutxCtsFlow = (handshaking & RtsCts) != 0;
    dcb.fRtsControl = (handshaking & RtsCts) ? RTS_CONTROL_HANDSHAKE
                      : rts                  ? RTS_CONTROL_ENABLE
                                             : RTS_CONTROL_DISABLE;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    if (::SetCommState(handle, &dcb))
        return 0;
    const DWORD error = ::GetLastError();
    // Wine 8.0 workaround: on a pseudo-terminal it cannot set the modem lines and says
    // "Request not supported"; the line itself is set.
    return error == ERROR_NOT_SUPPORTED ? 0 : int(error);
}

// Writing straight to the handle: under Wine 8.0 QSerialPort's write completion may never
// be delivered, which would leave later writes queued for ever.
qsizetype writeNow(Handle handle, const QByteArray& bytes) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return 0;
    DWORD written = 0;
    bool ok = ::WriteFile(handle, bytes.constData(), DWORD(bytes.size()), &written, &overlapped);
    // Output held back by XOFF completes once XON comes; a short wait covers a busy driver.
    if (!ok && ::GetLastError() == ERROR_IO_PENDING) {
        if (::WaitForSingleObject(overlapped.hEvent, 2000) != WAIT_OBJECT_0)
            ::CancelIoEx(handle, &overlapped);
        ok = ::GetOverlappedResult(handle, &overlapped, &written, TRUE);
    }
    ::CloseHandle(overlapped.hEvent);
    return ok ? qsizetype(written) : 0;
}

int lastError() {
    return int(::GetLastError());
}

bool heldBack(int) {
    return false;
}

} // namespace SerialControl
