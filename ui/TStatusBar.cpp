#include "TStatusBar.h"

#include "Guarded.h"

#include <QAccessible>
#include <QLabel>
#include <QSizeGrip>

using lexaran::shell::Guarded;

TStatusBar::TStatusBar(QWidget *parent) : QWidget(parent), grip_(new QSizeGrip(this))
{
}

void TStatusBar::SetPanels(std::span<const int> widths)
{
    for (QLabel *panel : panels_)
        delete panel;
    panels_.clear();
    widths_.assign(widths.begin(), widths.end());
    for (std::size_t i = 0; i < widths_.size(); ++i) {
        auto *panel = new TStatusPanel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        panel->setIndent(2);
        panels_.push_back(panel);
    }
    grip_->raise();
    LayoutPanels();
}

QString TStatusBar::PanelText(int panel) const
{
    return panels_.at(panel)->text();
}

void TStatusBar::SetPanelText(int panel, const QString &text)
{
    TStatusPanel *target = panels_.at(panel);
    const bool changed = target->text() != text;
    target->setText(text);
    target->setAccessibleName(text);
    // A screen reader tells a status bar's news when a notification in it
    // comes into view; the focus stays where it is. Before the window is
    // shown nobody is told: the first reading of the bar finds the text.
    if (changed && !text.isEmpty() && target->isVisible() && QAccessible::isActive()) {
        QAccessibleEvent shown(target, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

QRect TStatusBar::PanelRect(int panel) const
{
    int left = 0;
    for (int i = 0; i < panel; ++i)
        left += widths_[i];
    const bool last = panel + 1 == PanelCount();
    const int right = last ? width() : left + widths_[panel];
    return QRect(left, 0, qMax(right - left, 0), height());
}

void TStatusBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Guarded([this] { LayoutPanels(); });
}

void TStatusBar::LayoutPanels()
{
    for (int i = 0; i < PanelCount(); ++i)
        panels_[i]->setGeometry(PanelRect(i));
    const QSize grip = grip_->sizeHint();
    grip_->setGeometry(width() - grip.width(), height() - grip.height(), grip.width(), grip.height());
}
