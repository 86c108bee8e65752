#include "settings/PendingError.h"

#include "link/SerialError.h"

void PendingError::attempt(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const SerialError& error) {
        set(error.description());
    }
}

void PendingError::set(const QString& description) {
    m_pending = true;
    m_description = description;
}

void PendingError::clear() {
    m_pending = false;
    m_description.clear();
}
