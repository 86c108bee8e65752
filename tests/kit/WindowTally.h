#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>

// Counts the windows that come up, by objectName: how many came up in all, the most that
// were open at one time, and when the first came up.
class WindowTally : public QObject {
public:
    WindowTally();
    ~WindowTally() override;

    int shown(const QString& name) const { return m_shown.value(name); }
    int mostOpen(const QString& name) const { return m_most.value(name); }
    // Milliseconds from the tally's start, or from mark(); -1 when none came up.
    qint64 firstAt(const QString& name) const { return m_first.value(name, -1); }
    void mark() { m_clock.restart(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QString, int> m_shown;
    QHash<QString, int> m_most;
    QHash<QString, qint64> m_first;
    QElapsedTimer m_clock;
};
