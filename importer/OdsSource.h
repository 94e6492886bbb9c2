#pragma once

#include "TRowSource.h"
#include "TXmlFeed.h"
#include "TZipArchive.h"

#include <memory>

namespace lexaran::importer {

// A LibreOffice spreadsheet (.ods): the first table or the one named, its
// rows counted as the program counts them (repeated rows and cells
// included), numbers by their value, texts as written (paragraphs joined by
// a line break, spaces and tabs as marked, notes left out).
class TOdsSource final : public TRowSource
{
public:
    TOdsSource(const QString &path, std::unique_ptr<TZipArchive> zip, const TImportOptions &options,
               TSourceInfo &info);

    bool Next(TSourceRow &row) override;
    std::int64_t BytesRead() const override;
    QString Where(std::int64_t line) const override;

private:
    bool FindTable(const QString &name, QStringList *names);
    QString CellText();
    [[noreturn]] void Damaged() const;

    QString path_;
    QString sheet_;
    std::unique_ptr<TZipArchive> zip_;
    std::unique_ptr<TXmlFeed> feed_;
    std::int64_t line_ = 0;
    TSourceRow repeat_;
    std::int64_t repeats_ = 0;
    bool ended_ = false;
};

} // namespace lexaran::importer
