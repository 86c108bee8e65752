#pragma once

#include <QString>
#include <stdexcept>

// A command line or a profile that cannot be used. The text says where (FILE:LINE for a
// profile) and what is wrong; nothing has been sent when it is thrown.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
