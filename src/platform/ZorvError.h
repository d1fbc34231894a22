// A raised error: number, source and description, as the editors report them.
#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace platform {

class ZorvError : public std::runtime_error {
public:
    ZorvError(int32_t number, QString source, QString description)
        : std::runtime_error(description.toStdString()), m_number(number),
          m_source(std::move(source)), m_description(std::move(description)) {}

    int32_t number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }

private:
    int32_t m_number;
    QString m_source;
    QString m_description;
};

// The object-defined error base the model classes raise from.
constexpr int32_t kObjectErrorBase = static_cast<int32_t>(0x80040000);
// A cancelled file dialog.
constexpr int32_t kCancelError = 32755;

} // namespace platform
