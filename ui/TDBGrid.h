#pragma once

#include <QTableView>

class TDataSource;

// The read-only result grid: a title row whose titles react like buttons,
// hot-track and can be dragged to resize or move columns, but sort nothing;
// an indicator column marking the current row; whole-row selection that is
// highlighted only while the grid has the focus; no editing. Insert and
// Ctrl+Delete do nothing. The grid follows the data set's current row and
// moves it when the user moves in the grid; after a refill the current row
// keeps its line in the grid as far as enough rows precede it. Ctrl+C puts
// the current row's visible cells on the clipboard as one line of
// tab-separated text, in the columns' current order. Typed characters do
// nothing: the grid has no type-to-find, only the search box takes text.
// A screen reader is told of a focused cell only while the grid has the
// keyboard focus, and entering the grid names its current row.
class TDBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TDBGrid(QWidget *parent = nullptr);

    // Binds the grid to a data source (not owned; null unbinds).
    void SetDataSource(TDataSource *source);

    // The grid line (0 = topmost visible row) on which the current row stands.
    int CurrentLine() const;

    // The current row's cells in display order, separated by tabs; empty
    // when there is no current row.
    QString CurrentRowText() const;

    // Does nothing: typing never moves the current row.
    void keyboardSearch(const QString &search) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The position of a cell among the accessible table's children.
    int AccessibleCellIndex(const QModelIndex &index) const;
    // Tells a screen reader that the focus is on the current cell (and so
    // its row), when the grid has the focus.
    void AnnounceCurrentCell();

    void ShowCurrentRow(int row, bool refilled);

    TDataSource *source_ = nullptr;
    int lineBeforeFill_ = 0;
    bool following_ = false;
};
