#include "TEdit.h"

#include "Guarded.h"

#include <limits>

TEdit::TEdit(QWidget *parent) : QLineEdit(parent)
{
    // A line edit stops at 32767 characters unless told otherwise.
    setMaxLength(std::numeric_limits<int>::max());
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
    Guarded([&] { setPlaceholderText(QString()); });
    QLineEdit::focusInEvent(event);
}

void TEdit::focusOutEvent(QFocusEvent *event)
{
    Guarded([&] { setPlaceholderText(textHint_); });
    QLineEdit::focusOutEvent(event);
}
