#include "panel/ActionLock.h"

#include <QAction>

ActionLock::ActionLock(QList<QAction*> work, QList<QAction*> windows)
    : m_work(std::move(work)), m_windows(std::move(windows)) {}

void ActionLock::follow(bool buttonsLocked) {
    m_buttonsLocked = buttonsLocked;
    show();
}

void ActionLock::begin() {
    ++m_running;
    show();
}

void ActionLock::end() {
    --m_running;
    show();
}

void ActionLock::show() {
    for (QAction* action : std::as_const(m_windows))
        action->setEnabled(!running());
    const bool allowed = workAllowed();
    for (QAction* action : std::as_const(m_work))
        action->setEnabled(allowed);
    if (allowed != m_shown) {
        m_shown = allowed;
        emit workAllowedChanged(allowed);
    }
}
