#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class QWidget;

// Runs each step, in turn, the first time its window (by objectName) is up: the windows of
// a search or an action run in loops of their own inside the press that started them.
class WhenShown : public QObject {
public:
    WhenShown();

    void add(const QString& window, std::function<void(QWidget*)> step);
    bool done() const { return m_steps.isEmpty(); }

private:
    QList<std::pair<QString, std::function<void(QWidget*)>>> m_steps;
    QTimer m_timer;
};
