#include "WindowRules.h"

#include <algorithm>
#include <cmath>

QString GroupDigits(const QString &digits)
{
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u' ';
        grouped += digits[i];
    }
    return grouped;
}

namespace lexaran::ui {

QPoint DesktopCenterPosition(const QRect &desktop, const QSize &outer)
{
    const int left = desktop.left() + desktop.width() / 2 - outer.width() / 2;
    const int top = desktop.top() + desktop.height() / 2 - outer.height() / 2;
    return {std::max(left, desktop.left()), std::max(top, desktop.top())};
}

TGridFit FitGrid(const QSize &outer, int gridTop)
{
    const int width = std::max(outer.width() - 50, 0);
    const int height = std::max(outer.height() - (gridTop + 100), 0);
    const int third = int(std::lround(width / 3.0));
    return {width, height, {third, third, std::max(third - 70, 0)}};
}

} // namespace lexaran::ui
