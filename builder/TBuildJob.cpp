#include "TBuildJob.h"

#include <QThread>

#include <utility>

namespace lexaran::builder {

using importer::TImportCancelled;
using importer::TProgress;

TBuildJob::TBuildJob(QString input, QString output, importer::TImportOptions options, QObject *parent)
    : QObject(parent), input_(std::move(input)), output_(std::move(output)), options_(std::move(options))
{
}

TBuildJob::~TBuildJob()
{
    Cancel();
    Wait();
}

void TBuildJob::Start()
{
    if (thread_)
        return;
    thread_.reset(QThread::create([this] { Run(); }));
    // The thread's end reaches this object on its own (the window's) thread.
    connect(thread_.get(), &QThread::finished, this, &TBuildJob::Done);
    thread_->start();
}

void TBuildJob::Cancel() noexcept
{
    cancel_.store(true);
}

void TBuildJob::Wait()
{
    if (thread_ && !thread_->isFinished())
        thread_->wait();
    // A wait from the destructor comes before the queued end is taken.
    if (thread_ && outcome_ == TOutcome::Running)
        outcome_ = result_;
}

TProgress TBuildJob::Progress() const noexcept
{
    return {.RowsRead = rowsRead_.load(), .BytesRead = bytesRead_.load(), .BytesTotal = bytesTotal_.load()};
}

void TBuildJob::Run() noexcept
{
    // Everything the engine throws stays on this thread and is carried to
    // the window as the outcome.
    try {
        summary_ = importer::Import(input_, output_, options_, [this](const TProgress &progress) {
            rowsRead_.store(progress.RowsRead);
            bytesRead_.store(progress.BytesRead);
            bytesTotal_.store(progress.BytesTotal);
            return !cancel_.load();
        });
        result_ = TOutcome::Written;
    } catch (const TImportCancelled &) {
        result_ = TOutcome::Cancelled;
    } catch (...) {
        error_ = std::current_exception();
        result_ = cancel_.load() ? TOutcome::Cancelled : TOutcome::Refused;
    }
}

void TBuildJob::Done() noexcept
{
    Wait();
    emit Finished();
}

} // namespace lexaran::builder
