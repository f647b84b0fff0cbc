#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the engine: a message meant for the user.
class TKestError : public std::runtime_error {
public:
    explicit TKestError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
