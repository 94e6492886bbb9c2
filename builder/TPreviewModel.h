#pragma once

#include "TermImport.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace lexaran::builder {

// The first rows of a term list as read, every column of the source, for the
// preview grid. A column's title says which side of the term it feeds
// ("Орысша", "Қазақша", "Саласы") above its own name in the source; the
// columns that feed nothing carry their own name only. Rows shorter than the
// widest one show empty cells.
class TPreviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TPreviewModel(QObject *parent = nullptr);

    // Shows what `info` found (its rows, header and mapping); a TBX source,
    // which has no columns, shows nothing.
    void SetSource(const importer::TSourceInfo &info);
    // Keeps the rows and titles the columns anew by `map`.
    void SetColumns(const importer::TColumnMap &map);
    void Clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<QStringList> rows_;
    QStringList header_;
    int columns_ = 0;
    importer::TColumnMap map_;
};

} // namespace lexaran::builder
