#include "TDataSetProvider.h"

#include "SqliteApi.h"
#include "TRowBuffer.h"
#include "TSQLQuery.h"
#include "TStoreError.h"

#include <QScopeGuard>

#include <new>
#include <optional>
#include <stdexcept>

using namespace lexaran::store;

namespace {

QString WithoutTrailingNoise(QString text)
{
    while (!text.isEmpty()) {
        const QChar last = text.back();
        if (last != u' ' && last != u'.' && last.category() != QChar::Other_Control)
            break;
        text.chop(1);
    }
    return text;
}

// The engine's own error for a code the store meets itself.
TStoreError EngineError(int code)
{
    return TStoreError(QString::fromUtf8(Sqlite().errstr(code)), code);
}

// Copies the query's current row into the buffer: column i into field i, as
// the field's kind asks; a column the query lacks is NULL. Text is read in
// the buffer's form.
void CopyRow(const TSQLQuery &query, int available, TRowBuffer &into)
{
    const bool utf8 = into.TextForm() == tfUtf8;
    for (int i = 0; i < into.FieldCount(); ++i) {
        if (i >= available) {
            into.AppendNull(i);
            continue;
        }
        switch (into.Kind(i)) {
        // A NULL number reads as 0, so only a 0 needs asking about; a
        // million keys then cost one engine call each instead of two.
        case fkInteger: {
            const qint64 value = query.Integer(i);
            value == 0 && query.IsNull(i) ? into.AppendNull(i) : into.AppendInteger(i, value);
            break;
        }
        case fkFloat: {
            const double value = query.Float(i);
            value == 0 && query.IsNull(i) ? into.AppendNull(i) : into.AppendFloat(i, value);
            break;
        }
        case fkString:
        case fkMemo:
            if (utf8) {
                const QByteArrayView text = query.Utf8Text(i);
                text.data() ? into.AppendText(i, text) : into.AppendNull(i);
            } else {
                const QStringView text = query.Text(i);
                text.isNull() ? into.AppendNull(i) : into.AppendText(i, text);
            }
            break;
        case fkBytes:
            query.IsNull(i) ? into.AppendNull(i) : into.AppendBytes(i, query.Bytes(i));
            break;
        }
    }
    into.EndRow();
}

// The form to hold text in, as far as the current row tells it: the
// engine's form of the first TEXT value in a text field. A row whose text
// fields hold values but no TEXT (numbers, bytes) settles on UTF-16, the
// engine's own reading of any value; a row of NULLs tells nothing.
std::optional<TTextForm> RowTextForm(const TSQLQuery &query, int available, const TRowBuffer &into)
{
    bool valued = false;
    for (int i = 0; i < available && i < into.FieldCount(); ++i) {
        if (into.Kind(i) != fkString && into.Kind(i) != fkMemo)
            continue;
        if (const std::optional<TTextForm> form = query.TextForm(i))
            return form;
        valued = valued || !query.IsNull(i);
    }
    return valued ? std::optional(tfUtf16) : std::nullopt;
}

} // namespace

const std::vector<TFieldDef> &TDataSetProvider::Fields() const
{
    return DataSet->Fields();
}

int TDataSetProvider::GetRecords(TRowBuffer &into, int maxRows)
{
    if (!DataSet->Active())
        return 0;
    int copied = 0;
    // A statement stepped but not read to its end holds a read lock on the
    // file until its text next changes, and another program could not write
    // the dictionary all that while: a copy that fails lets it go at once.
    auto release = qScopeGuard([this] { Release(); });
    try {
        const int available = int(DataSet->Fields().size());
        while ((maxRows < 0 || copied < maxRows) && DataSet->Fetch()) {
            // Asked of each row until one tells, before any of its text is
            // read; in practice the first row does.
            if (!into.TextFormSet()) {
                if (const std::optional<TTextForm> form = RowTextForm(*DataSet, available, into))
                    into.SetTextForm(*form);
            }
            CopyRow(*DataSet, available, into);
            ++copied;
        }
    } catch (const TStoreError &error) {
        into.DropUnfinishedRow();
        throw TStoreError(WithoutTrailingNoise(error.message()), error.code());
    } catch (const std::bad_alloc &) {
        into.DropUnfinishedRow();
        throw EngineError(SQLITE_NOMEM);
    } catch (const std::length_error &) {
        into.DropUnfinishedRow();
        throw EngineError(SQLITE_TOOBIG);
    }
    release.dismiss();
    into.Shrink();
    return copied;
}

void TDataSetProvider::Release() noexcept
{
    DataSet->Close();
}
