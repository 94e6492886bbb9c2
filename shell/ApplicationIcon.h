#pragma once

#include <QIcon>

namespace lexaran::shell {

// The application's icon in its six sizes, from the program's resources
// (app/resources/lexaran.qrc, which every executable that shows a window
// carries): the dictionary and the builder show the same one.
QIcon ApplicationIcon();

} // namespace lexaran::shell
