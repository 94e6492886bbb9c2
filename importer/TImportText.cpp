#include "TImportText.h"

#include <QDir>

#include <cmath>

namespace lexaran::importer {

QString ShownName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString AtLine(const QString &path, qint64 line)
{
    return QStringLiteral("%1, %2-жол").arg(ShownName(path)).arg(line);
}

QString NumberText(QStringView value)
{
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return value.toString();
    if (number == std::floor(number) && std::fabs(number) < 1e15)
        return QString::number(static_cast<qint64>(number));
    return QString::number(number, 'g', 15);
}

bool HasLostLetters(QStringView text)
{
    // A code page without a letter writes '?' in its place: "?ала" for
    // "қала", "та?ы" for "таңы". A question mark that ends the text after a
    // word ("не?") is punctuation and stays.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'?')
            continue;
        const bool letterBefore = i > 0 && text[i - 1].isLetter();
        const bool letterAfter = i + 1 < text.size() && text[i + 1].isLetter();
        const bool closesText = i + 1 == text.size();
        if (letterAfter || (letterBefore && !closesText))
            return true;
    }
    return false;
}

} // namespace lexaran::importer
