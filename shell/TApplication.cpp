#include "TApplication.h"

#include "ErrorBox.h"
#include "QtTexts.h"

namespace lexaran::shell {

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // Before any window exists, so that every text Qt makes is Kazakh.
    InstallKazakhQtTexts();
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
