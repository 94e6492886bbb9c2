#pragma once

#include "TFieldDef.h"
#include "TRowBuffer.h"

#include <QObject>

#include <vector>

class TDataSetProvider;

// The read-only, in-memory result set that the grid shows.
//
// Open fixes the fields from the executed statement's columns and copies its
// rows (up to PacketRecords; a set that received exactly that many is
// incomplete and fetches the next packet when moved past its last row);
// Refresh replaces all rows by those of the newly executed statement,
// keeping the fields and the current row's ordinal. Both throw TStoreError;
// a failed Refresh leaves the previous rows and current row in place. Any
// fill that fails, a refused Refresh of a closed set included, releases the
// provider's statement, so that no read of the file outlives the failure.
// Rows cannot be inserted, changed or deleted. The provider is not owned.
//
// The fields are fixed by Open and never rebuilt: Refresh copies the new
// statement's columns into them by position (see TDataSetProvider), so every
// later statement must deliver its columns in the order of the first.
class TClientDataSet : public QObject
{
    Q_OBJECT

public:
    explicit TClientDataSet(TDataSetProvider *provider, QObject *parent = nullptr);

    // The most rows one fill asks for: the packet size the dictionary is
    // designed with. A search delivers at most 1000 rows, so only Show all
    // on a dictionary of more than 500 000 terms ever fills a packet; the
    // set then holds the first 500 000 rows and fetches the rest when the
    // current row moves past them, which bounds the first fill's time and
    // memory.
    int PacketRecords = 500000;

    void Open();
    void Refresh();
    bool Active() const noexcept { return active_; }
    bool Complete() const noexcept { return complete_; }

    const std::vector<lexaran::store::TFieldDef> &Fields() const noexcept { return fields_; }
    int FieldIndex(const QString &name) const; // -1 when there is none
    const lexaran::store::TRowBuffer &Rows() const noexcept { return rows_; }
    int RecordCount() const noexcept { return rows_.RowCount(); }

    // The current row's ordinal (1 for the first row), 0 when empty.
    int RecNo() const noexcept { return recNo_; }
    // Moves: to an ordinal (held within the rows), to the last row, to the
    // next one; past the rows held, an incomplete set fetches more first.
    void SetRecNo(int recNo);
    void Last();
    void Next();

    // Fetches the next packet of an incomplete set; returns the rows added.
    int FetchPacket();

signals:
    // Just before the rows are replaced (every new row has already
    // arrived), and after: Open, Refresh.
    void AboutToFill();
    void Filled();
    // After a further packet added `count` rows at the end.
    void Appended(int count);
    // After every move of the current row.
    void Moved(int recNo);

private:
    void RequireActive() const;

    TDataSetProvider *provider_;
    std::vector<lexaran::store::TFieldDef> fields_;
    lexaran::store::TRowBuffer rows_;
    int recNo_ = 0;
    bool active_ = false;
    bool complete_ = false;
};
