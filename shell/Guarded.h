#pragma once

#include "ErrorBox.h"

#include <exception>
#include <utility>

namespace lexaran::shell {

// Runs one entry from Qt into the program's code (a slot, an event override,
// the window's creation handler): an error that escapes it is reported
// through HandleException and goes no further, so no exception ever crosses
// into Qt's own code.
template <typename F>
void Guarded(F &&entry) noexcept
{
    try {
        std::forward<F>(entry)();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

} // namespace lexaran::shell
