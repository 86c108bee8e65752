#pragma once

#include <QList>
#include <QObject>

class QAction;

// The menu's work on the encoder (save, apply, compare, the report, the search) follows the
// twenty buttons' lock and runs one at a time: its actions, their shortcuts with them, are
// disabled from a request until everything it opened has closed. A request that cannot run
// now is so refused where the operator sees it, never queued.
class ActionLock : public QObject {
    Q_OBJECT
public:
    // work: the actions that start work on the encoder; windows: actions that only open a
    // window of their own (a file dialog), which must not open beside the work's.
    ActionLock(QList<QAction*> work, QList<QAction*> windows);
    // More of either kind, for entries made later; an action leaves the lock as it goes.
    void add(const QList<QAction*>& work, const QList<QAction*>& windows);

    // The buttons' lock as it is set and lifted.
    void follow(bool buttonsLocked);
    // Work from its request to its end; a step of it may begin and end again inside.
    void begin();
    void end();
    bool running() const { return m_running > 0; }
    bool workAllowed() const { return !m_buttonsLocked && !running(); }

signals:
    // Anything beside the actions that starts such work follows this.
    void workAllowedChanged(bool allowed);

private:
    void show();

    QList<QAction*> m_work;
    QList<QAction*> m_windows;
    bool m_buttonsLocked = false;
    int m_running = 0;
    bool m_shown = true;
};
