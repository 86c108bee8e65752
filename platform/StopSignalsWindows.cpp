#include "platform/StopSignals.h"

#include <QMutex>
#include <windows.h>

namespace {

QMutex g_lock;
std::function<void()> g_post; // posts the stop to the living object's event loop

BOOL WINAPI handle(DWORD event) {
    {
        const QMutexLocker locker(&g_lock);
        if (!g_post)
            return FALSE; // the default: the process ends
        g_post();
    }
    // After a close, log-off or shutdown the system ends the process as soon as this
    // returns: wait here while the program stops and exits by itself.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::Sleep(INFINITE);
    return TRUE;
}

} // namespace

StopSignals::StopSignals(std::function<void()> stop, std::function<void()> again, QObject* parent)
    : QObject(parent), m_stop(std::move(stop)), m_again(std::move(again)) {
    const QMutexLocker locker(&g_lock);
    g_post = [this] {
        QMetaObject::invokeMethod(
            this, [this] { received(); }, Qt::QueuedConnection);
    };
    ::SetConsoleCtrlHandler(handle, TRUE);
}

StopSignals::~StopSignals() {
    ::SetConsoleCtrlHandler(handle, FALSE);
    const QMutexLocker locker(&g_lock);
    g_post = nullptr;
}

// Each event is posted on its own, so each counts once.
void StopSignals::received() {
    arrived(1);
}
