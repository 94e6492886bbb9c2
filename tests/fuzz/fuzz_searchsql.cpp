// Any request the window can make: upper-casing keeps the length, and the
// count statement of the composed search keeps the search's condition whole.

#include "FuzzInput.h"
#include "CountSQL.h"
#include "SearchSQL.h"
#include "TextCase.h"

using lexaran::text::UpperCaseSimple;
using lexaran::text::LowerCaseSimple;

using namespace lexaran::store;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int kind = data[0] % 3;
    const int field = (data[0] / 3) % 3;
    const bool category = data[1] & 1;
    const QString rest = Utf16Text(data + 2, size - 2);
    // The search text up to the first NUL, the category text after it.
    const qsizetype split = rest.indexOf(QChar(0));
    const QString text = split < 0 ? rest : rest.left(split);
    const QString categoryText = split < 0 ? QString() : rest.mid(split + 1);

    FUZZ_ASSERT(UpperCaseSimple(text).size() == text.size());

    const QStringList lines = ComposeSearchSQL({text, TMatchKind(kind), TSearchField(field), category ? 17 : 0, categoryText});
    FUZZ_ASSERT(lines.size() == 3);
    const QString statement = lines[0] + QLatin1String("\r\n") + lines[1] + QLatin1String("\r\n") + lines[2] + QLatin1String("\r\n");

    FUZZ_ASSERT(TableNameFromSQL(statement) == QLatin1String("termin_items"));
    const QString lowered = LowerCaseSimple(statement);
    FUZZ_ASSERT(IndexOutsideQuotes(lowered, u" distinct ") < 0);
    FUZZ_ASSERT(CountParameterMarkers(statement) == 0);
    const QString count = ComposeCountSQL(statement, QStringLiteral("termin_items"), u'"');
    FUZZ_ASSERT(count == QLatin1String("select count(*) from \"termin_items\"") + lines[1] + QLatin1String("\r\nlimit 1000\r\n"));
    return 0;
}
