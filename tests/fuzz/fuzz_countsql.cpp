// Any statement text: the table name and the count statement derived from
// it keep their shape.

#include "FuzzInput.h"
#include "CountSQL.h"
#include "TextCase.h"

using lexaran::text::LowerCaseSimple;

using namespace lexaran::store;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = Utf16Text(data, size);
    const QString lowered = LowerCaseSimple(text);
    FUZZ_ASSERT(lowered.size() == text.size());

    const QString table = TableNameFromSQL(text);
    const QString count = ComposeCountSQL(text, table, u'"');
    const QString head = QLatin1String("select count(*) from \"") + table + u'"';
    FUZZ_ASSERT(count.startsWith(head));

    // The rest is the statement's own text from its first unquoted " where "
    // on, cut at most.
    const QString tail = count.mid(head.size());
    const qsizetype where = IndexOutsideQuotes(lowered, u" where ");
    if (where < 0)
        FUZZ_ASSERT(tail.isEmpty());
    else
        FUZZ_ASSERT(QStringView(text).sliced(where).startsWith(tail));

    const int markers = CountParameterMarkers(text);
    const QString replaced = ReplaceParameterMarkers(text);
    // Each marker, ":" and a name of at least one character, becomes one "?".
    FUZZ_ASSERT(replaced.count(u'?') == text.count(u'?') + markers);
    FUZZ_ASSERT(replaced.size() <= text.size() - markers);
    if (markers == 0)
        FUZZ_ASSERT(replaced == text);
    return 0;
}
