#include "panel/ActionLock.h"

#include <QAction>

ActionLock::ActionLock(QList<QAction*> work, QList<QAction*> windows)
    : m_work(std::move(work)), m_windows(std::move(windows)) {}

void ActionLock::add(const QList<QAction*>& work, const QList<QAction*>& windows) {
    for (QAction* action : work + windows)
        connect(action, &QObject::destroyed, this, [this, action] {
            m_work.removeAll(action);
            m_windows.removeAll(action);
        });
    m_work += work;
    m_windows += windows;
    show();
}

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
