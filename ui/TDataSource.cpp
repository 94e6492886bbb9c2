#include "TDataSource.h"

#include "Guarded.h"
#include "TClientDataSet.h"

using lexaran::shell::Guarded;

using namespace lexaran::store;

#include <QLocale>

namespace {

// The shortest text that reads back as the same double: every digit the
// value holds and no more. The engine's own 15-digit text drops digits of
// values such as 1/3, so a cell would show a number other than the one
// stored. Independent of the locale, like the engine's reading.
QString FloatText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

TDataSource::TDataSource(QObject *parent) : QAbstractTableModel(parent)
{
}

void TDataSource::SetColumns(std::vector<TColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    BindFields();
    endResetModel();
}

void TDataSource::SetDataSet(TClientDataSet *dataSet)
{
    beginResetModel();
    if (dataSet_)
        disconnect(dataSet_, nullptr, this, nullptr);
    dataSet_ = dataSet;
    if (dataSet_) {
        connect(dataSet_, &TClientDataSet::AboutToFill, this, [this] {
            Guarded([this] { beginResetModel(); });
        });
        connect(dataSet_, &TClientDataSet::Filled, this, [this] {
            Guarded([this] {
                BindFields();
                endResetModel();
                emit Refilled(CurrentRow());
            });
        });
        connect(dataSet_, &TClientDataSet::Appended, this, [this](int count) {
            Guarded([this, count] { AppendRows(count); });
        });
        connect(dataSet_, &TClientDataSet::Moved, this, [this](int recNo) {
            Guarded([this, recNo] {
                emit headerDataChanged(Qt::Vertical, 0, qMax(rows_ - 1, 0));
                emit CurrentRowChanged(recNo - 1);
            });
        });
    }
    BindFields();
    endResetModel();
}

void TDataSource::BindFields()
{
    rows_ = dataSet_ && dataSet_->Active() ? dataSet_->RecordCount() : 0;
    fieldOf_.clear();
    for (const TColumn &column : columns_)
        fieldOf_.push_back(dataSet_ ? dataSet_->FieldIndex(column.FieldName) : -1);
}

void TDataSource::AppendRows(int count)
{
    // The rows are already in the set; the model shows them only from here.
    if (count <= 0)
        return;
    beginInsertRows(QModelIndex(), rows_, rows_ + count - 1);
    rows_ += count;
    endInsertRows();
}

// checkIndex() would do, but it reports every miss as a warning; views ask
// about indexes that are gone as a matter of course.
bool TDataSource::Holds(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && !index.parent().isValid() && index.row() < rows_
        && index.column() < int(columns_.size());
}

int TDataSource::CurrentRow() const
{
    return dataSet_ && rows_ > 0 ? dataSet_->RecNo() - 1 : -1;
}

int TDataSource::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TDataSource::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant TDataSource::data(const QModelIndex &index, int role) const
{
    if ((role != Qt::DisplayRole && role != FullTextRole) || !Holds(index))
        return {};
    const int field = fieldOf_[index.column()];
    const int row = index.row();
    if (field < 0)
        return {};
    const TRowBuffer &rows = dataSet_->Rows();
    if (rows.IsNull(row, field))
        return {};
    switch (dataSet_->Fields()[field].Kind) {
    case fkString:
    case fkMemo: {
        if (role != Qt::DisplayRole)
            return rows.Text(row, field);
        bool cut = false;
        QString text = rows.Text(row, field, DisplayLimit, &cut);
        if (cut)
            text += QChar(0x2026);
        return text;
    }
    case fkInteger:
        return QString::number(rows.Integer(row, field));
    case fkFloat:
        return FloatText(rows.Float(row, field));
    case fkBytes:
        return QStringLiteral("(BLOB)");
    }
    return {};
}

QVariant TDataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal)
        return section < columnCount() ? QVariant(columns_[std::size_t(section)].Title) : QVariant();
    // The indicator column draws its own mark; its sections carry no text.
    return QString();
}

Qt::ItemFlags TDataSource::flags(const QModelIndex &index) const
{
    if (!Holds(index))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool TDataSource::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && dataSet_ && dataSet_->Active() && !dataSet_->Complete();
}

void TDataSource::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        Guarded([this] { dataSet_->FetchPacket(); });
}
