#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace lexaran::shell {

namespace {

void ShowMessageBox(QWidget *owner, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

TExceptionPresenter &Presenter()
{
    static TExceptionPresenter presenter = ShowMessageBox;
    return presenter;
}

// The message of the innermost error in the chain that `error` starts; empty
// when that one is not a std::exception.
QString InnermostMessage(const std::exception &error)
{
    const auto *nested = dynamic_cast<const std::nested_exception *>(&error);
    if (!nested || !nested->nested_ptr())
        return QString::fromUtf8(error.what());
    try {
        std::rethrow_exception(nested->nested_ptr());
    } catch (const std::exception &inner) {
        return InnermostMessage(inner);
    } catch (...) {
        return QString();
    }
}

} // namespace

QString ApplicationTitle()
{
    return QCoreApplication::applicationName();
}

QString ExceptionMessage(std::exception_ptr error) noexcept
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &outer) {
        try {
            const QString innermost = InnermostMessage(outer);
            return innermost.isEmpty() ? QString::fromUtf8(outer.what()) : innermost;
        } catch (...) {
            // No memory left to read it: nothing to say.
        }
    } catch (...) {
        // Not a std::exception: it carries no message.
    }
    return QString();
}

QString WithPeriod(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

TExceptionPresenter SetExceptionPresenter(TExceptionPresenter presenter)
{
    TExceptionPresenter previous = std::move(Presenter());
    Presenter() = presenter ? std::move(presenter) : TExceptionPresenter(ShowMessageBox);
    return previous;
}

} // namespace lexaran::shell

// The two entries the rest of the program knows by name stand outside the
// namespace.
using lexaran::shell::ApplicationTitle;
using lexaran::shell::ExceptionMessage;
using lexaran::shell::Presenter;
using lexaran::shell::WithPeriod;

void ShowException(std::exception_ptr error)
{
    Presenter()(QApplication::activeWindow(), ApplicationTitle(), WithPeriod(ExceptionMessage(error)));
}

void HandleException(std::exception_ptr error) noexcept
{
    try {
        if (QWidget *grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        ShowException(error);
    } catch (...) {
        // The box itself failed (no memory left): there is no other way to tell.
    }
}
