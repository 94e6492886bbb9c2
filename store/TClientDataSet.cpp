#include "TClientDataSet.h"

#include "TDataSetProvider.h"
#include "TStoreError.h"

using namespace lexaran::store;

TClientDataSet::TClientDataSet(TDataSetProvider *provider, QObject *parent)
    : QObject(parent), provider_(provider)
{
}

namespace {

// A fill leaves the set complete when it asked for all rows (a negative
// count) or received fewer than it asked for.
bool Completes(int asked, int received)
{
    return asked < 0 || received < asked;
}

} // namespace

void TClientDataSet::RequireActive() const
{
    if (!active_) {
        throw TStoreError(QStringLiteral("%1: %2").arg(
            objectName(), QStringLiteral("Cannot perform this operation on a closed dataset")));
    }
}

int TClientDataSet::FieldIndex(const QString &name) const
{
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void TClientDataSet::Open()
{
    if (active_)
        return;
    std::vector<TFieldDef> fields = provider_->Fields();
    TRowBuffer rows(fields);
    const int received = provider_->GetRecords(rows, PacketRecords);
    emit AboutToFill();
    fields_ = std::move(fields);
    rows_ = std::move(rows);
    complete_ = Completes(PacketRecords, received);
    active_ = true;
    recNo_ = rows_.RowCount() > 0 ? 1 : 0;
    emit Filled();
}

void TClientDataSet::Refresh()
{
    const int previous = recNo_;
    const int wanted = complete_ ? -1 : rows_.RowCount();
    if (!active_) {
        // The statement just executed has no set to fill: let it go rather
        // than hold the file until its text next changes.
        provider_->Release();
        RequireActive();
    }
    TRowBuffer rows(fields_);
    const int received = provider_->GetRecords(rows, wanted);
    // The old rows go only now that every new row has arrived.
    emit AboutToFill();
    rows_ = std::move(rows);
    complete_ = Completes(wanted, received);
    const int count = rows_.RowCount();
    if (count == 0)
        recNo_ = 0;
    else if (previous == 0)
        recNo_ = 1;
    else
        recNo_ = qMin(previous, count);
    emit Filled();
}

int TClientDataSet::FetchPacket()
{
    if (!active_ || complete_)
        return 0;
    // A packet grows the rows in place; observers hear of the rows that
    // arrived, also when the copy fails part way.
    const int before = rows_.RowCount();
    auto announce = [&] {
        if (rows_.RowCount() > before)
            emit Appended(rows_.RowCount() - before);
        if (recNo_ == 0 && rows_.RowCount() > 0) {
            recNo_ = 1;
            emit Moved(recNo_);
        }
    };
    int received = 0;
    try {
        received = provider_->GetRecords(rows_, PacketRecords);
    } catch (...) {
        complete_ = true;
        announce();
        throw;
    }
    complete_ = Completes(PacketRecords, received);
    announce();
    return received;
}

void TClientDataSet::SetRecNo(int recNo)
{
    RequireActive();
    while (recNo > rows_.RowCount() && FetchPacket() > 0) {
    }
    const int placed = rows_.RowCount() == 0 ? 0 : qBound(1, recNo, rows_.RowCount());
    if (placed == recNo_)
        return;
    recNo_ = placed;
    emit Moved(recNo_);
}

void TClientDataSet::Last()
{
    RequireActive();
    while (FetchPacket() > 0) {
    }
    SetRecNo(rows_.RowCount());
}

void TClientDataSet::Next() { SetRecNo(recNo_ + 1); }
