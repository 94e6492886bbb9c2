#include "ApplicationIcon.h"

namespace lexaran::shell {

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/lexaran-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace lexaran::shell
