#pragma once

#include <QString>
#include <stdexcept>

// A failing port operation. The description is shown to the operator as it stands,
// so it names the COM number, the device and what to do about it.
class SerialError : public std::runtime_error {
public:
    explicit SerialError(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    const QString& description() const { return m_description; }

private:
    QString m_description;
};
