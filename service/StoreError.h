#pragma once

#include <QString>
#include <stdexcept>

// The records store cannot be opened, read or written. The text names the store (its file or
// its URL) and the reason, as the operator sees it.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
