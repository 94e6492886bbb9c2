#pragma once

#include <QLineEdit>

// A single-line text box without a length limit whose grey cue text shows
// only while the box is empty and does not have the focus.
class TEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);

    void SetTextHint(const QString &hint);
    QString TextHint() const { return textHint_; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QString textHint_;
};
