#pragma once

#include <QString>
#include <functional>

// A run of port operations that goes on past failures: a failing operation is skipped
// and its error stays pending, the most recent one winning, until it is tested or cleared.
class PendingError {
public:
    // Runs the operation; a SerialError it throws becomes the pending error.
    void attempt(const std::function<void()>& operation);
    void set(const QString& description);
    void clear();

    bool pending() const { return m_pending; }
    const QString& description() const { return m_description; }

private:
    bool m_pending = false;
    QString m_description;
};
