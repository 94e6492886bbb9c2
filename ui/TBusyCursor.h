#pragma once

#include <QApplication>
#include <QCursor>

namespace lexaran::ui {

// Shows the busy cursor for its lifetime: while a statement, a copy of rows
// or a count runs. Restored also when the step throws.
class TBusyCursor
{
public:
    TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};

} // namespace lexaran::ui
