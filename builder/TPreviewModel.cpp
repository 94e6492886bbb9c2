#include "TPreviewModel.h"

#include "ColumnChoice.h"

#include <algorithm>

namespace lexaran::builder {

using importer::TColumnMap;
using importer::TSourceInfo;
using importer::TSourceKind;

TPreviewModel::TPreviewModel(QObject *parent) : QAbstractTableModel(parent) {}

void TPreviewModel::SetSource(const TSourceInfo &info)
{
    beginResetModel();
    rows_.clear();
    header_.clear();
    columns_ = 0;
    if (info.Kind != TSourceKind::Tbx) {
        rows_ = info.Preview;
        header_ = info.Header;
        columns_ = std::max<int>(info.ColumnCount, static_cast<int>(header_.size()));
        for (const QStringList &row : rows_)
            columns_ = std::max<int>(columns_, static_cast<int>(row.size()));
    }
    map_ = info.Columns;
    endResetModel();
}

void TPreviewModel::SetColumns(const TColumnMap &map)
{
    map_ = map;
    if (columns_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void TPreviewModel::Clear()
{
    beginResetModel();
    rows_.clear();
    header_.clear();
    columns_ = 0;
    endResetModel();
}

int TPreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TPreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant TPreviewModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const QStringList &row = rows_[static_cast<std::size_t>(index.row())];
    return index.column() < row.size() ? row.at(index.column()) : QString();
}

QVariant TPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section < rowCount() ? QVariant(QString::number(section + 1)) : QVariant();
    if (section >= columns_)
        return {};
    const QString own = ColumnCaption(header_, section);
    for (TTermSide side : {TTermSide::Rus, TTermSide::Kaz, TTermSide::Cat}) {
        if (ColumnOf(map_, side) == section)
            return SideCaption(side) + u'\n' + own;
    }
    return own;
}

} // namespace lexaran::builder
