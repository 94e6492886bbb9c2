#pragma once

#include "TRowSource.h"
#include "TXmlFeed.h"
#include "TZipArchive.h"

#include <memory>
#include <vector>

namespace lexaran::importer {

// An Excel workbook (.xlsx): the first sheet or the one named, its rows as
// Excel numbers them, shared and inline strings, numbers as their text.
// The shared strings are held packed (UTF-16 in large blocks), the sheet read
// in pieces.
class TXlsxSource final : public TRowSource
{
public:
    TXlsxSource(const QString &path, std::unique_ptr<TZipArchive> zip, const TImportOptions &options,
                TSourceInfo &info);

    bool Next(TSourceRow &row) override;
    std::int64_t BytesRead() const override;
    QString Where(std::int64_t line) const override;

private:
    void ReadSharedStrings(const QString &member);
    QString SharedString(qsizetype index) const;
    [[noreturn]] void Damaged() const;

    QString path_;
    QString sheet_;
    std::unique_ptr<TZipArchive> zip_;
    std::unique_ptr<TXmlFeed> feed_;
    // The shared strings in blocks of 2^20 UTF-16 units that are never
    // moved (no doubling of one huge buffer); each string by its start,
    // block * 2^20 + offset, its end being where the next one starts or
    // its block ends.
    std::vector<std::vector<char16_t>> blocks_;
    std::vector<std::uint32_t> strings_;
    std::int64_t nextRow_ = 1;
    bool ended_ = false;
};

// "B" → 1, "AA" → 26: the column of a cell reference such as "B12".
int ColumnOfReference(QStringView reference);

} // namespace lexaran::importer
