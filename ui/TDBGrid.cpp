#include "TDBGrid.h"

#include "Guarded.h"
#include "TClientDataSet.h"
#include "TDataSource.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionHeader>

#include <optional>

using lexaran::shell::Guarded;

namespace {

// The indicator column: a narrow vertical header that draws a mark beside
// the current row and nothing else.
class TIndicatorHeader : public QHeaderView
{
public:
    explicit TIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        Guarded([&] {
            const auto *source = qobject_cast<const TDataSource *>(model());
            if (!source || source->CurrentRow() != logicalIndex)
                return;
            const int size = qMin(rect.width(), rect.height()) / 2;
            const QPoint centre = rect.center();
            const QPoint triangle[] = {
                {centre.x() - size / 2, centre.y() - size / 2 - 1},
                {centre.x() + size / 2, centre.y()},
                {centre.x() - size / 2, centre.y() + size / 2 + 1},
            };
            painter->save();
            // The base class leaves the painter clipped to nothing.
            painter->setClipRect(rect);
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(Qt::NoPen);
            painter->setBrush(palette().color(QPalette::WindowText));
            painter->drawPolygon(triangle, 3);
            painter->restore();
        });
    }
};

// The titles' look under the mouse: highlighted while the mouse is over a
// title and darker while it is held down. The header itself sets these
// states; a style that draws a state already (Windows' own styles draw the
// pressed title, WindowsVista the hot one too) is left to draw it alone, and
// only a state that the style draws like a plain title (Fusion draws every
// title alike) gets the tint, so no title is ever highlighted twice.
class TTitleStyle : public QProxyStyle
{
public:
    explicit TTitleStyle(QObject *parent) : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    {
        setParent(parent);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_HeaderSection || !(option->state & State_Enabled))
            return;
        QColor tint;
        if (option->state & State_Sunken) {
            if (BaseDraws(State_Sunken, pressedDrawn_, option, widget))
                return;
            tint = option->palette.color(QPalette::Dark);
            tint.setAlpha(110);
        } else if (option->state & State_MouseOver) {
            if (BaseDraws(State_MouseOver, hotDrawn_, option, widget))
                return;
            tint = option->palette.color(QPalette::Highlight);
            tint.setAlpha(60);
        } else {
            return;
        }
        painter->fillRect(option->rect, tint);
    }

private:
    // Whether the base style draws a title in `state` otherwise than a plain
    // one; asked once, of a title like the one being drawn.
    bool BaseDraws(State state, std::optional<bool> &known, const QStyleOption *option, const QWidget *widget) const
    {
        if (!known) {
            auto render = [&](State with) {
                QStyleOptionHeader probe;
                if (const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option))
                    probe = *header;
                else
                    static_cast<QStyleOption &>(probe) = *option;
                probe.state = (option->state & ~(State_MouseOver | State_Sunken)) | with;
                probe.rect = QRect(QPoint(0, 0), option->rect.size().expandedTo(QSize(8, 8)));
                QImage image(probe.rect.size(), QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                QProxyStyle::drawControl(CE_HeaderSection, &probe, &painter, widget);
                painter.end();
                return image;
            };
            known = render(state) != render(State_None);
        }
        return *known;
    }

    mutable std::optional<bool> pressedDrawn_;
    mutable std::optional<bool> hotDrawn_;
};

} // namespace

TDBGrid::TDBGrid(QWidget *parent) : QTableView(parent)
{
    setVerticalHeader(new TIndicatorHeader(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // With whole-row selection Tab leaves the grid for the next control.
    setTabKeyNavigation(false);
    setSortingEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    QHeaderView *titles = horizontalHeader();
    titles->setSectionsMovable(true);
    titles->setSectionsClickable(true);
    titles->setSortIndicatorShown(false);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setStretchLastSection(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setAttribute(Qt::WA_Hover);
    titles->setStyle(new TTitleStyle(titles));

    QHeaderView *indicator = verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setSectionsClickable(false);
    indicator->setHighlightSections(false);

    // The current row is highlighted only while the grid has the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Inactive, QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
}

void TDBGrid::SetDataSource(TDataSource *source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    setModel(source);
    if (!source)
        return;
    connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        Guarded([this] { lineBeforeFill_ = CurrentLine(); });
    });
    connect(source, &TDataSource::Refilled, this, [this](int row) {
        Guarded([this, row] { ShowCurrentRow(row, true); });
    });
    connect(source, &TDataSource::CurrentRowChanged, this, [this](int row) {
        Guarded([this, row] { ShowCurrentRow(row, false); });
    });
}

int TDBGrid::CurrentLine() const
{
    const int current = source_ ? source_->CurrentRow() : -1;
    const int top = rowAt(0);
    return current >= 0 && top >= 0 ? qMax(current - top, 0) : 0;
}

void TDBGrid::ShowCurrentRow(int row, bool refilled)
{
    following_ = true;
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    } else {
        const QModelIndex index = model()->index(row, qMax(currentIndex().column(), 0));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        // Rows are scrolled whole: the scroll value is the top row. After a
        // refill the current row goes back to its line; a value past the end
        // is held at the last page, so earlier rows fill the lines above.
        if (refilled) {
            executeDelayedItemsLayout();
            verticalScrollBar()->setValue(qMax(row - lineBeforeFill_, 0));
        } else {
            scrollTo(index);
        }
    }
    following_ = false;
    verticalHeader()->viewport()->update();
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The table view tells a screen reader that the new current cell has
    // the focus whether or not the grid has it: after a search run from the
    // Search button the reader would move into the grid while the keyboard
    // stays on the button. Only the grid that has the focus says so.
    if (hasFocus())
        QTableView::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous);
    if (following_ || !current.isValid() || !source_ || !source_->DataSet())
        return;
    Guarded([&] { source_->DataSet()->SetRecNo(current.row() + 1); });
}

QString TDBGrid::CurrentRowText() const
{
    const int row = source_ ? source_->CurrentRow() : -1;
    if (row < 0)
        return QString();
    QStringList cells;
    const QHeaderView *titles = horizontalHeader();
    for (int position = 0; position < titles->count(); ++position)
        cells.append(model()->index(row, titles->logicalIndex(position)).data(TDataSource::FullTextRole).toString());
    return cells.join(u'\t');
}

void TDBGrid::keyboardSearch(const QString &)
{
}

int TDBGrid::AccessibleCellIndex(const QModelIndex &index) const
{
    // The accessible table counts the title row and the indicator column
    // as a row and a column of its own, row by row.
    const int titles = horizontalHeader()->isHidden() ? 0 : 1;
    const int indicator = verticalHeader()->isHidden() ? 0 : 1;
    return (index.row() + titles) * (model()->columnCount() + indicator) + index.column() + indicator;
}

void TDBGrid::AnnounceCurrentCell()
{
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || !QAccessible::isActive())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(AccessibleCellIndex(current));
    QAccessible::updateAccessibility(&focus);
}

void TDBGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    // Entering the grid puts the screen reader on its current row. The
    // widget's own focus notice follows this event and names only the
    // table, so the row's comes once that has been delivered.
    QMetaObject::invokeMethod(this, [this] { Guarded([this] { AnnounceCurrentCell(); }); }, Qt::QueuedConnection);
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        Guarded([this] {
            const QString line = CurrentRowText();
            if (!line.isEmpty())
                QGuiApplication::clipboard()->setText(line);
        });
        return;
    }
    // A read-only set neither inserts nor deletes rows; the keys do nothing.
    const bool insert = event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier;
    const bool remove = event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier;
    if (insert || remove) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
