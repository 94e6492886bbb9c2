#include "TEdit.h"

#include "Guarded.h"

#include <QGuiApplication>
#include <QStyleHints>

#include <limits>

using lexaran::shell::Guarded;

TEdit::TEdit(QWidget *parent) : QLineEdit(parent)
{
    // A line edit stops at 32767 characters unless told otherwise.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, [this] { Guarded([this] { UpdateCaretBlinking(); }); });
}

namespace {

// -1 leaves the flash time to the desktop again, so that a later change of
// its blink setting reaches the caret; the number read before would pin it.
constexpr int kDesktopFlashTime = -1;

} // namespace

TEdit::~TEdit()
{
    if (steadyCaret_)
        QGuiApplication::styleHints()->setCursorFlashTime(kDesktopFlashTime);
}

// The flash time is the application's, but only the focused widget blinks,
// so holding it at 0 while this box has the focus touches no other control.
// A line edit follows a change of it at once (its blink timer stops and the
// caret stays shown).
void TEdit::UpdateCaretBlinking()
{
    const bool steady = hasFocus() && text().size() > SteadyCaretLength;
    QStyleHints *hints = QGuiApplication::styleHints();
    if (steady != steadyCaret_) {
        hints->setCursorFlashTime(steady ? 0 : kDesktopFlashTime);
        steadyCaret_ = steady;
    }
}

void TEdit::SetTextHint(const QString &hint)
{
    textHint_ = hint;
    setPlaceholderText(hasFocus() ? QString() : hint);
}

// Qt keeps showing the placeholder in a focused empty box; the cue text here
// goes as soon as the box has the focus.
void TEdit::focusInEvent(QFocusEvent *event)
{
    // Before the base class starts the blink timer, so that a huge text
    // never gets one.
    Guarded([&] {
        setPlaceholderText(QString());
        UpdateCaretBlinking();
    });
    QLineEdit::focusInEvent(event);
}

void TEdit::focusOutEvent(QFocusEvent *event)
{
    Guarded([&] {
        setPlaceholderText(textHint_);
        UpdateCaretBlinking();
    });
    QLineEdit::focusOutEvent(event);
}
