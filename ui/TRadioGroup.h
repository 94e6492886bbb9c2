#pragma once

#include <QGroupBox>
#include <QRadioButton>
#include <QList>

class QButtonGroup;

// A framed group of radio buttons side by side in one row, exactly one of
// them selected at any time.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    // Makes one button per entry, laid out for a group of the given size
    // and a font of text height `textHeight`; the first entry is selected.
    void SetItems(const QStringList &items, const QSize &groupSize, int textHeight);

    int ItemIndex() const;
    void SetItemIndex(int index);
    const QList<QRadioButton *> &Buttons() const { return buttons_; }

private:
    QButtonGroup *group_;
    QList<QRadioButton *> buttons_;
};
