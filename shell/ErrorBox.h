#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

// The single place where errors reach the user.

// Shows the error box: the application title as caption, the formatted
// message, the error icon and one OK button, owned by the active window.
void ShowException(std::exception_ptr error);

// Releases a mouse grab, then shows the error. Never throws.
void HandleException(std::exception_ptr error) noexcept;

namespace lexaran::shell {

// The application title, the caption of every error box.
QString ApplicationTitle();

// The message of an error: its own, or that of the innermost error nested in
// it (std::nested_exception) when that one is not empty. Never throws.
QString ExceptionMessage(std::exception_ptr error) noexcept;

// Appends "." to a non-empty message whose last character's code is greater
// than that of "." (letters of any script, digits, ":", "?", "/", ...).
QString WithPeriod(const QString &message);

// What actually shows a box. Tests put a recorder here so that no modal box
// blocks them; returns the previous presenter.
using TExceptionPresenter =
    std::function<void(QWidget *owner, const QString &caption, const QString &text)>;
TExceptionPresenter SetExceptionPresenter(TExceptionPresenter presenter);

} // namespace lexaran::shell
