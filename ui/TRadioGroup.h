#pragma once

#include <QGroupBox>
#include <QRadioButton>
#include <QList>

class QButtonGroup;

// A framed group of radio buttons side by side in one row, exactly one of
// them selected at any time. The group draws its caption on its frame and
// carries it as its accessible name, but does not hold it as the group
// box's title: Qt would also name the title as every button's label, and a
// screen reader would read the caption twice on entering the group.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    // Makes one button per entry, laid out for a group of the given size
    // and a font of text height `textHeight`; the first entry is selected.
    void SetItems(const QStringList &items, const QSize &groupSize, int textHeight);

    void SetCaption(const QString &caption);
    const QString &Caption() const { return caption_; }

    int ItemIndex() const;
    void SetItemIndex(int index);
    const QList<QRadioButton *> &Buttons() const { return buttons_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString caption_;
    QButtonGroup *group_;
    QList<QRadioButton *> buttons_;
};
