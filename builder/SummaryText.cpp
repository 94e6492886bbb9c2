#include "SummaryText.h"

#include "WindowRules.h"

#include <QStringList>

namespace lexaran::builder {

namespace {

QString Count(std::int64_t count)
{
    return GroupDigits(QString::number(count));
}

} // namespace

QString SummaryText(const importer::TImportSummary &summary)
{
    QStringList lines;
    lines.append(QStringLiteral("Сөздікке жазылған термин: %1").arg(Count(summary.TermsWritten)));
    for (const auto &skipped : summary.Skipped) {
        QString line = QStringLiteral("Өткізіп жіберілген жол: %1 (%2)").arg(Count(skipped.Count), skipped.Reason);
        if (!skipped.FirstLines.empty()) {
            QStringList numbers;
            for (std::int64_t number : skipped.FirstLines)
                numbers.append(QString::number(number));
            const bool more = skipped.Count > static_cast<std::int64_t>(skipped.FirstLines.size());
            line += QStringLiteral("; жолдар: ") + numbers.join(QStringLiteral(", ")) + (more ? QStringLiteral(", …") : QString());
        }
        lines.append(line);
    }
    if (!summary.UnknownCategories.empty()) {
        lines.append(QStringLiteral("Lexaran тізімінде жоқ салалар (бұл терминдер тек «Барлық категория» таңдалғанда табылады):"));
        for (const auto &[category, count] : summary.UnknownCategories)
            lines.append(QStringLiteral("    %1 — %2 термин").arg(category.isEmpty() ? QStringLiteral("(бос)") : category, Count(count)));
    }
    return lines.join(u'\n');
}

QString RowsReadText(std::int64_t rows)
{
    return QStringLiteral("Оқылған жол: %1").arg(Count(rows));
}

} // namespace lexaran::builder
