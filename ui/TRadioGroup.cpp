#include "TRadioGroup.h"

#include "Guarded.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

using lexaran::shell::Guarded;

TRadioGroup::TRadioGroup(QWidget *parent) : QGroupBox(parent), group_(new QButtonGroup(this))
{
}

void TRadioGroup::SetItems(const QStringList &items, const QSize &groupSize, int textHeight)
{
    qDeleteAll(buttons_);
    buttons_.clear();
    const int columns = int(items.size());
    if (columns == 0)
        return;
    // One row of equal buttons, 8 pixels in from the frame, under the caption.
    const int width = (groupSize.width() - 10) / columns;
    const int height = groupSize.height() - textHeight - 5;
    for (int i = 0; i < columns; ++i) {
        auto *button = new QRadioButton(items[i], this);
        button->setGeometry(8 + i * width, textHeight + 1, width, height);
        group_->addButton(button, i);
        buttons_.append(button);
    }
    buttons_.front()->setChecked(true);
}

int TRadioGroup::ItemIndex() const
{
    return group_->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton *button = group_->button(index))
        button->setChecked(true);
}

void TRadioGroup::SetCaption(const QString &caption)
{
    caption_ = caption;
    update();
}

void TRadioGroup::paintEvent(QPaintEvent *)
{
    Guarded([this] {
        // What the group box draws for a title, from the caption.
        QStylePainter painter(this);
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        option.text = caption_;
        if (!caption_.isEmpty())
            option.subControls |= QStyle::SC_GroupBoxLabel;
        painter.drawComplexControl(QStyle::CC_GroupBox, option);
    });
}
