// Digit grouping and the period rule of the error box.

#include "ErrorBox.h"
#include "FuzzInput.h"
#include "WindowRules.h"

#include <QStringList>

using lexaran::shell::WithPeriod;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A count's decimal digits: no sign, no leading zero (but "0" itself).
    QString digits;
    for (std::size_t i = 0; i < size && digits.size() < 40; ++i) {
        const char digit = char('0' + data[i] % 10);
        if (digits.isEmpty() && digit == '0' && i + 1 < size)
            continue;
        digits += QLatin1Char(digit);
    }
    const QString grouped = GroupDigits(digits);
    QString ungrouped = grouped;
    ungrouped.remove(u' ');
    FUZZ_ASSERT(ungrouped == digits);
    if (!grouped.isEmpty())
        FUZZ_ASSERT(grouped.front() != u' ' && grouped.back() != u' ');
    const QStringList groups = grouped.split(u' ');
    for (qsizetype i = 0; i < groups.size(); ++i)
        FUZZ_ASSERT(i == 0 ? groups[i].size() >= (digits.isEmpty() ? 0 : 1) && groups[i].size() <= 3 : groups[i].size() == 3);

    const QString message = Utf16Text(data, size);
    const QString shown = WithPeriod(message);
    FUZZ_ASSERT(shown.startsWith(message));
    FUZZ_ASSERT(shown.size() - message.size() <= 1);
    FUZZ_ASSERT((shown.size() > message.size()) == (!message.isEmpty() && message.back().unicode() > u'.'));
    if (shown.size() > message.size())
        FUZZ_ASSERT(shown.back() == u'.');
    return 0;
}
