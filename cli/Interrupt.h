#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Ctrl+C, SIGTERM and SIGHUP brought into the main thread's event loop: the handler only
// writes a byte to a pipe, and stop runs where the loop reads it. Whatever the signal
// interrupted goes on. One object at a time; its end restores the default actions.
class Interrupt : public QObject {
    Q_OBJECT
public:
    explicit Interrupt(std::function<void()> stop, QObject* parent = nullptr);
    ~Interrupt() override;

private:
    void received();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_stop;
};
