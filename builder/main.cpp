#include "ApplicationIcon.h"
#include "Guarded.h"
#include "RaisedRights.h"
#include "TApplication.h"
#include "TBuilderWindow.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>
#include <QTimer>

using lexaran::builder::PutInPlaceCommand;
using lexaran::builder::PutInPlaceOption;
using lexaran::builder::TBuilderWindow;
using lexaran::shell::ApplicationIcon;
using lexaran::shell::Guarded;
using lexaran::shell::TApplication;

int main(int argc, char *argv[])
{
    // The one step that may run with raised rights opens no window.
    if (argc > 1 && QString::fromLocal8Bit(argv[1]) == PutInPlaceOption()) {
        const QCoreApplication copying(argc, argv);
        QStringList arguments = QCoreApplication::arguments();
        arguments.removeFirst();
        return PutInPlaceCommand(arguments);
    }

    TApplication application(argc, argv);
    // Dates, sizes and file kinds in the file dialog read as in Kazakh,
    // whatever the desktop's language.
    QLocale::setDefault(QLocale(QLocale::Kazakh, QLocale::Kazakhstan));
    QApplication::setQuitOnLastWindowClosed(true);
    QCoreApplication::setApplicationName(QStringLiteral("Lexaran сөздігін жасау"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LEXARAN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("kz.lexaran.Builder"));
    QApplication::setWindowIcon(ApplicationIcon());

    TBuilderWindow window;
    window.show();

    // A term list given on the command line (a file dropped on the
    // executable arrives so) is taken once the window shows.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = arguments.at(1);
        QTimer::singleShot(0, &window, [&window, path] { Guarded([&] { window.Choose(path); }); });
    }

    application.exec();
    return 0;
}
