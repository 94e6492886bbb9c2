#pragma once

#include <QString>

#include <stdexcept>

namespace lexaran::store {

// The one error type of the term store. The message is the text the user
// sees (UTF-8 in what()); code() is the engine's result code when the engine
// reported the failure, and 0 when the store itself did.
class TStoreError : public std::runtime_error
{
public:
    explicit TStoreError(const QString &message, int code = 0)
        : std::runtime_error(message.toStdString()), code_(code) {}

    QString message() const { return QString::fromUtf8(what()); }
    int code() const noexcept { return code_; }

private:
    int code_;
};

} // namespace lexaran::store
