#pragma once

#include "TermImport.h"

#include <QString>

namespace lexaran::builder {

// The closing summary of an import as the window shows it, one fact a line:
// the terms written, each reason rows were skipped for with their count and
// first line numbers, and the categories outside the dictionary's list with
// their counts. Counts are grouped by threes as in the dictionary's status
// bar.
QString SummaryText(const importer::TImportSummary &summary);

// "Оқылған жол: 12 345", under the progress bar.
QString RowsReadText(std::int64_t rows);

} // namespace lexaran::builder
