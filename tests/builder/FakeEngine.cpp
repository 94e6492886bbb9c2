#include "FakeEngine.h"

#include <QFile>
#include <QThread>

#include <memory>

namespace {

std::unique_ptr<TFakeEngine> &Engine()
{
    static std::unique_ptr<TFakeEngine> engine = std::make_unique<TFakeEngine>();
    return engine;
}

} // namespace

TFakeEngine &FakeEngine()
{
    return *Engine();
}

void ResetFakeEngine()
{
    Engine() = std::make_unique<TFakeEngine>();
}

namespace lexaran::importer {

TImportCancelled::TImportCancelled() : std::runtime_error("cancelled") {}

TSourceInfo Inspect(const QString &, const TImportOptions &options, int previewRows)
{
    TFakeEngine &engine = FakeEngine();
    engine.LastInspected = options;
    if (!engine.InspectRefusal.isEmpty())
        throw TImportError(engine.InspectRefusal.toStdString());
    auto found = options.Sheet.isEmpty() ? engine.Sheets.begin() : engine.Sheets.find(options.Sheet);
    if (found == engine.Sheets.end())
        throw TImportError("no such sheet");
    TSourceInfo info = found->second;
    if (options.Columns)
        info.Columns = *options.Columns;
    if (static_cast<int>(info.Preview.size()) > previewRows)
        info.Preview.resize(static_cast<std::size_t>(previewRows));
    return info;
}

TImportSummary Import(const QString &, const QString &output, const TImportOptions &options,
                      const TProgressCallback &progress)
{
    TFakeEngine &engine = FakeEngine();
    engine.LastImported = options;
    engine.LastOutput = output;
    if (!engine.ImportRefusal.isEmpty())
        throw TImportError(engine.ImportRefusal.toStdString());
    for (int row = 1; row <= engine.Rows; ++row) {
        if (engine.MicrosecondsPerRow > 0)
            QThread::usleep(static_cast<unsigned long>(engine.MicrosecondsPerRow));
        engine.RowsReported = row;
        if (progress && !progress({.RowsRead = row, .BytesRead = row, .BytesTotal = engine.Rows}))
            throw TImportCancelled();
    }
    QFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        throw TImportError("cannot write");
    const TColumnMap map = options.Columns.value_or(TColumnMap{});
    file.write(QStringLiteral("%1 %2 %3 %4\n").arg(options.Sheet).arg(map.Rus).arg(map.Kaz).arg(map.Cat).toUtf8());
    return engine.Summary;
}

} // namespace lexaran::importer
