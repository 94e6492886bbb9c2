#include "TApplication.h"

#include "ErrorBox.h"

namespace lexaran::shell {

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}

} // namespace lexaran::shell
