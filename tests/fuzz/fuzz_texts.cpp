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
    // The rule's cases: no period after nothing, after the 32 control
    // characters U+0000..U+001F, a blank or the punctuation from "!" to "."
    // (a full stop among them); one after everything else: letters of any
    // script, digits, ":", "?", "/", DEL and later controls, a lone surrogate.
    static const QString kNoPeriodAfter = [] {
        QString characters;
        for (char16_t control = 0; control < 32; ++control)
            characters += QChar(control);
        return characters + QStringLiteral(" !\"#$%&'()*+,-.");
    }();
    const bool wantsPeriod = !message.isEmpty() && !kNoPeriodAfter.contains(message.back());
    FUZZ_ASSERT((shown.size() > message.size()) == wantsPeriod);
    if (shown.size() > message.size())
        FUZZ_ASSERT(shown.back() == u'.');
    return 0;
}
