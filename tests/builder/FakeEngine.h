#pragma once

#include "TermImport.h"

#include <QString>

#include <atomic>
#include <functional>
#include <map>
#include <optional>

// A stand-in for the importer's engine behind the same functions, so that the
// window's tests choose what the engine finds and does. Inspect gives the
// source of the sheet asked for (the first when none is); Import reports
// `Rows` rows one at a time, stops when the window cancels, writes `output`
// (one line: the options it was given) and returns `Summary`.
struct TFakeEngine
{
    std::map<QString, lexaran::importer::TSourceInfo> Sheets; // by sheet name; "" for a text file
    QString InspectRefusal;  // non-empty: Inspect throws TImportError with it
    QString ImportRefusal;   // non-empty: Import throws TImportError with it
    int Rows = 3;
    int MicrosecondsPerRow = 0;
    lexaran::importer::TImportSummary Summary;

    // What the engine was asked, for the checks.
    std::optional<lexaran::importer::TImportOptions> LastInspected;
    std::optional<lexaran::importer::TImportOptions> LastImported;
    QString LastOutput;
    std::atomic<int> RowsReported{0};
};

// The one engine the tests' program sees; reset by each test.
TFakeEngine &FakeEngine();
void ResetFakeEngine();
