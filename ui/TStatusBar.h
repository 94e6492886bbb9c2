#pragma once

#include <QWidget>

#include <span>
#include <vector>

#include <QLabel>

class QSizeGrip;

// One text panel of the status bar. Screen readers meet it as a
// notification named by its text, so that a new text is told as the
// status bar's news without the focus moving.
class TStatusPanel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
};

// A status bar of text panels with a lowered bevel and a size grip at its
// right end. Every panel but the last ends at the running sum of the widths
// before it; the last takes the rest of the bar. A panel whose text changes
// while the bar is shown tells a screen reader so (TStatusPanel).
class TStatusBar : public QWidget
{
    Q_OBJECT

public:
    explicit TStatusBar(QWidget *parent = nullptr);

    void SetPanels(std::span<const int> widths);
    int PanelCount() const { return int(panels_.size()); }
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString &text);
    // The panel's span within the bar.
    QRect PanelRect(int panel) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void LayoutPanels();

    std::vector<int> widths_;
    std::vector<TStatusPanel *> panels_;
    QSizeGrip *grip_;
};
