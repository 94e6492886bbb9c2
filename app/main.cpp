#include "ApplicationIcon.h"
#include "ComApartment.h"
#include "StartupShowState.h"
#include "TApplication.h"
#include "Unit1.h"

using lexaran::app::StartupShowState;
using lexaran::shell::ApplicationIcon;
using lexaran::shell::TApplication;

int main(int argc, char *argv[])
{
    // Before anything else, and released after everything else: the
    // component-object runtime for this, the user-interface thread. Qt asks
    // for it too, later and in the same way; it is not left to Qt here.
    const TComApartment apartment;

    TApplication application(argc, argv);

    // The main window carries the taskbar button; closing it, the last
    // window, ends the event loop.
    QApplication::setQuitOnLastWindowClosed(true);

    QCoreApplication::setApplicationName(QStringLiteral("Lexaran"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LEXARAN_VERSION));
    QApplication::setWindowIcon(ApplicationIcon());

    // FormCreate runs as the last step of construction and reports its own
    // error, so the window is created and shown in every case.
    TForm1 Form1;
    Form1.setWindowState(StartupShowState());
    Form1.show();

    application.exec();
    return 0;
}
