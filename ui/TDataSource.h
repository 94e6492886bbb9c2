#pragma once

#include <QAbstractTableModel>
#include <QPointer>

#include <array>

class TClientDataSet;

// The Qt model that binds the grid to the result set: one row per row held,
// one column per grid column, each bound by field name (rus, kaz, cat); the
// set's other fields (id) are held but never shown. Text fields show their
// text (long text too), NULL an empty cell. Read-only.
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
    explicit TDataSource(QObject *parent = nullptr);

    static constexpr int FullTextRole = Qt::UserRole;
    static constexpr qsizetype DisplayLimit = 1000;

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
    void BindFields();

    QPointer<TClientDataSet> dataSet_;
    std::array<int, 3> fieldOf_{-1, -1, -1};
    int rows_ = 0;
};
