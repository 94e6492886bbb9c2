#pragma once

#include "TermImport.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>

class QThread;

namespace lexaran::builder {

// One import, run on a worker thread of its own so that the window stays
// responsive. The window polls Progress() (the engine reports on the worker
// thread); Finished is emitted on the window's thread once the worker has
// ended, and the outcome can then be read. Destroying a running job cancels
// it and waits for the worker.
class TBuildJob : public QObject
{
    Q_OBJECT

public:
    enum class TOutcome { Running, Written, Refused, Cancelled };

    TBuildJob(QString input, QString output, importer::TImportOptions options, QObject *parent = nullptr);
    ~TBuildJob() override;
    TBuildJob(const TBuildJob &) = delete;
    TBuildJob &operator=(const TBuildJob &) = delete;

    void Start();
    // Asks the engine to stop at its next report; Finished follows.
    void Cancel() noexcept;
    // Blocks until the worker has ended (or at once when it never started).
    void Wait();

    importer::TProgress Progress() const noexcept;
    TOutcome Outcome() const noexcept { return outcome_; }
    // Written: what the import did.
    const importer::TImportSummary &Summary() const { return summary_; }
    // Refused: the engine's error, to be shown as it stands.
    std::exception_ptr Error() const { return error_; }

signals:
    void Finished();

private:
    void Run() noexcept;
    void Done() noexcept;

    const QString input_;
    const QString output_;
    const importer::TImportOptions options_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<std::int64_t> rowsRead_{0};
    std::atomic<std::int64_t> bytesRead_{0};
    std::atomic<std::int64_t> bytesTotal_{0};
    // Written by the worker before it ends, read only after Finished.
    TOutcome result_ = TOutcome::Running;
    TOutcome outcome_ = TOutcome::Running;
    importer::TImportSummary summary_;
    std::exception_ptr error_;
};

} // namespace lexaran::builder
