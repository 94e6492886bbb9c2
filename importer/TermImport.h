#pragma once

// The importer's engine: reads a term list in one of the kinds terminologists
// keep (XLSX, ODS, CSV/TSV in any of the encodings spreadsheets write, TBX v2
// and v3) and writes the term file the dictionary reads. Shared by the
// `lexaran-import` command and the builder window; QtCore only, shows
// nothing, prints nothing. Every text it gives (error messages, summary
// reasons) is Kazakh, ready to be shown to the user as it stands.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace lexaran::importer {

enum class TSourceKind { Xlsx, Ods, DelimitedText, Tbx };

enum class TTextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1251 };

// Which column of the source holds each side, 0-based; a negative index
// means the file has no such column (its texts are empty). A TBX file has no
// columns: its languages and subject field are taken by their codes.
struct TColumnMap
{
    int Rus = 0;
    int Kaz = 1;
    int Cat = 2;
};

// The user's choices; every empty one is decided by the file's content.
struct TImportOptions
{
    QString Sheet;                     // XLSX/ODS: the sheet by name; empty: the first
    std::optional<TColumnMap> Columns; // empty: by the header row, else the first three
};

// What a term list holds, as far as a preview needs to read it.
struct TSourceInfo
{
    TSourceKind Kind = TSourceKind::DelimitedText;
    QStringList Sheets;            // XLSX/ODS: every sheet's name, in file order
    QString Sheet;                 // XLSX/ODS: the sheet that is read
    TTextEncoding Encoding = TTextEncoding::Utf8; // delimited text only
    QChar Separator;               // delimited text only: ',', ';' or '\t'
    int ColumnCount = 0;
    QStringList Header;            // the header row's titles; empty when there is none
    TColumnMap Columns;            // the mapping the import will use
    std::vector<QStringList> Preview; // the first data rows, every column, as read
};

// A refusal: the input cannot become a dictionary. The message names the
// file and the line, cell or element, and says what to do; nothing was
// written and an existing output is as it was.
class TImportError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The progress callback returned false: the import stopped, nothing was
// written, no scratch file is left.
class TImportCancelled : public std::runtime_error
{
public:
    TImportCancelled();
};

struct TProgress
{
    std::int64_t RowsRead = 0;
    std::int64_t BytesRead = 0;  // of the input file, for a fraction done
    std::int64_t BytesTotal = 0;
};

// What an import did, for its closing summary.
struct TImportSummary
{
    struct TSkipped
    {
        QString Reason;                  // Kazakh, as shown to the user
        std::int64_t Count = 0;
        std::vector<std::int64_t> FirstLines; // the first few line numbers
    };
    std::int64_t TermsWritten = 0;
    std::vector<TSkipped> Skipped;
    // Rows that were written but deserve a word (one side empty), in the
    // same form as the skipped ones.
    std::vector<TSkipped> Remarks;
    std::map<QString, std::int64_t> UnknownCategories; // outside the dictionary's list
};

// Reads enough of `path` to tell its kind, sheets, encoding, separator,
// header and column mapping, with up to `previewRows` data rows. Throws
// TImportError.
TSourceInfo Inspect(const QString &path, const TImportOptions &options = {}, int previewRows = 10);

// Reads `input` and writes `output` complete or not at all: the file is made
// beside `output` under another name and moved into place only at the end.
// `progress` is called now and then on the calling thread; returning false
// cancels. Throws TImportError or TImportCancelled.
using TProgressCallback = std::function<bool(const TProgress &)>;
TImportSummary Import(const QString &input, const QString &output, const TImportOptions &options = {},
                      const TProgressCallback &progress = {});

} // namespace lexaran::importer
