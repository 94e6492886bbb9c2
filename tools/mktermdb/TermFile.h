#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace lexaran::tools {

// Making term databases: the sample dictionary from a TSV file, and
// synthetic ones of any size for benchmarks and large tests.

struct TTermEntry
{
    QString Rus;
    QString Kaz;
    QString Cat;
};

// A malformed input; the message names the file and line.
class TTermFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads UTF-8 lines of "rus<TAB>kaz<TAB>cat" (a trailing CR is allowed,
// blank lines are skipped). Throws TTermFileError for an unreadable file,
// invalid UTF-8, or a line without exactly three non-empty fields.
std::vector<TTermEntry> ReadTermsTsv(const QString &path);

// `count` made-up terms from a fixed seed: Russian- and Kazakh-looking words
// of realistic length, spread over all 59 subject categories. The same seed
// always gives the same terms.
std::vector<TTermEntry> SyntheticTerms(int count, std::uint64_t seed);

enum class TTextEncoding { Utf8, Utf16 };

// Writes a new termin_items table (id INTEGER PRIMARY KEY, then rus, kaz,
// cat, rus_upper, kaz_upper, all VARCHAR(255)) holding the entries, the
// capital copies made by the search's own upper-casing. The file appears
// only complete: it is written beside `path` under another name and moved
// into place at the end, replacing any file there. Throws TTermFileError.
void WriteTermDatabase(const QString &path, const std::vector<TTermEntry> &entries,
                       TTextEncoding encoding = TTextEncoding::Utf8);

} // namespace lexaran::tools
