#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// The window's arithmetic, kept pure so that it can be checked directly.

// The decimal digits of a count with one blank between groups of three,
// counted from the right: "1234567" gives "1 234 567".
QString GroupDigits(const QString &digits);

namespace lexaran::ui {

// Where a window of outer size `outer` opens on a desktop spanning `desktop`:
// centred (divisions rounding toward zero), never left of or above the
// desktop's top-left corner.
QPoint DesktopCenterPosition(const QRect &desktop, const QSize &outer);

// The grid's fit to the window, in physical pixels: a grid of outer width
// - 50 by outer height - (grid top + 100), and columns of a third of that
// width rounded, the same, and 70 less. Negative lengths become 0.
struct TGridFit
{
    int Width;
    int Height;
    std::array<int, 3> Columns;
};
TGridFit FitGrid(const QSize &outer, int gridTop);

} // namespace lexaran::ui
