#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

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

} // namespace

QString ApplicationTitle()
{
    return QCoreApplication::applicationName();
}

QString ExceptionMessage(std::exception_ptr error) noexcept
{
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception &outer) {
            const QString own = QString::fromUtf8(outer.what());
            const auto *nested = dynamic_cast<const std::nested_exception *>(&outer);
            if (!nested || !nested->nested_ptr())
                return own;
            // The innermost error lies at the end of the chain.
            std::exception_ptr inner = nested->nested_ptr();
            QString innerMessage;
            for (;;) {
                try {
                    std::rethrow_exception(inner);
                } catch (const std::exception &e) {
                    innerMessage = QString::fromUtf8(e.what());
                    const auto *next = dynamic_cast<const std::nested_exception *>(&e);
                    if (next && next->nested_ptr()) {
                        inner = next->nested_ptr();
                        continue;
                    }
                } catch (...) {
                    innerMessage.clear();
                }
                break;
            }
            return innerMessage.isEmpty() ? own : innerMessage;
        }
    } catch (...) {
        // Not a std::exception, or no memory left to read it: nothing to say.
    }
    return QString();
}

QString WithPeriod(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

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

TExceptionPresenter SetExceptionPresenter(TExceptionPresenter presenter)
{
    TExceptionPresenter previous = std::move(Presenter());
    Presenter() = presenter ? std::move(presenter) : TExceptionPresenter(ShowMessageBox);
    return previous;
}
