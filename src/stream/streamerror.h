// The one error the component stream raises: bad, truncated or unsupported input.
#pragma once

#include <QString>

#include <stdexcept>

class EStreamError : public std::runtime_error
{
public:
    explicit EStreamError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
