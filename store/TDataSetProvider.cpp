#include "TDataSetProvider.h"

#include "TRowBuffer.h"
#include "TSQLQuery.h"
#include "TStoreError.h"

#include <new>
#include <stdexcept>

namespace {

constexpr int kSqliteNoMem = 7;

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
    try {
        while ((maxRows < 0 || copied < maxRows) && DataSet->Fetch()) {
            into.AppendFrom(*DataSet);
            ++copied;
        }
    } catch (const TStoreError &error) {
        throw TStoreError(WithoutTrailingNoise(error.message()), error.code());
    } catch (const std::bad_alloc &) {
        throw TStoreError(QStringLiteral("out of memory"), kSqliteNoMem);
    } catch (const std::length_error &) {
        throw TStoreError(QStringLiteral("out of memory"), kSqliteNoMem);
    }
    into.Shrink();
    return copied;
}
