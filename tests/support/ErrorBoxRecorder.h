#pragma once

#include "ErrorBox.h"

#include <QStringList>
#include <QWidget>

#include <vector>


// Records the error boxes that would have been shown, for its own lifetime,
// so that no modal box blocks a test; the previous presenter comes back when
// it goes, also when the test fails part way.
class TErrorBoxRecorder
{
public:
    struct TBox
    {
        QWidget *owner;
        QString caption;
        QString text;
        QWidget *grabber; // the widget that held the mouse as the box came
    };

    TErrorBoxRecorder()
        : previous_(lexaran::shell::SetExceptionPresenter([this](QWidget *owner, const QString &caption, const QString &text) {
              boxes.push_back({owner, caption, text, QWidget::mouseGrabber()});
          }))
    {
    }
    ~TErrorBoxRecorder() { lexaran::shell::SetExceptionPresenter(std::move(previous_)); }
    TErrorBoxRecorder(const TErrorBoxRecorder &) = delete;
    TErrorBoxRecorder &operator=(const TErrorBoxRecorder &) = delete;

    // The boxes' texts, in the order they were shown.
    QStringList Texts() const
    {
        QStringList texts;
        for (const TBox &box : boxes)
            texts.append(box.text);
        return texts;
    }

    std::vector<TBox> boxes;

private:
    lexaran::shell::TExceptionPresenter previous_;
};
