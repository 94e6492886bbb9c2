#pragma once

#include <QLineEdit>

// A single-line text box without a length limit whose grey cue text shows
// only while the box is empty and does not have the focus.
//
// While it has the focus and holds more than SteadyCaretLength characters,
// its caret stops blinking (the application's cursor flash time is 0 for
// that while and is handed back to the desktop afterwards, at the latest
// when the box goes):
// every paint of a line edit measures its whole text, so a blinking caret in
// a box of some megabytes would keep the window busy for good.
class TEdit : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr qsizetype SteadyCaretLength = 65536;

    explicit TEdit(QWidget *parent = nullptr);
    ~TEdit() override;

    void SetTextHint(const QString &hint);
    QString TextHint() const { return textHint_; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void UpdateCaretBlinking();

    QString textHint_;
    // Whether this box holds the application's caret steady.
    bool steadyCaret_ = false;
};
