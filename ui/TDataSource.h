#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

class TClientDataSet;

// The Qt model that binds a grid to a result set: one row per row held and
// one column per grid column it is given, each bound by field name to a
// field of the set; the set's other fields are held but never shown. Text
// fields show their text (long text too), float fields the shortest text
// that reads back as the same double (the same in both roles, so the grid,
// Ctrl+C and the screen reader agree), NULL an empty cell. Read-only.
//
// A refill of the set resets the model; a further packet of rows is an
// insertion at the end.
//
// A cell shows at most DisplayLimit characters of a long text (laying out
// megabytes of text would stall every paint); FullTextRole gives the whole.
//
// The data set is not owned; it must outlive the binding or be unbound with
// SetDataSet(nullptr).
class TDataSource : public QAbstractTableModel
{
    Q_OBJECT

public:
    // A grid column: the field it shows and its title.
    struct TColumn
    {
        QString FieldName;
        QString Title;
    };

    explicit TDataSource(QObject *parent = nullptr);

    static constexpr int FullTextRole = Qt::UserRole;
    static constexpr qsizetype DisplayLimit = 1000;

    void SetColumns(std::vector<TColumn> columns);
    const std::vector<TColumn> &Columns() const noexcept { return columns_; }

    void SetDataSet(TClientDataSet *dataSet);
    TClientDataSet *DataSet() const { return dataSet_; }

    // The row that is current in the data set, or -1 when it is empty.
    int CurrentRow() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

signals:
    // The data set was filled anew; `row` is its current row (-1: none).
    void Refilled(int row);
    // The data set's current row moved to `row`.
    void CurrentRowChanged(int row);

private:
    bool Holds(const QModelIndex &index) const;
    void BindFields();
    void AppendRows(int count);

    QPointer<TClientDataSet> dataSet_;
    std::vector<TColumn> columns_;
    std::vector<int> fieldOf_; // per column: the set's field, or -1
    int rows_ = 0;
};
