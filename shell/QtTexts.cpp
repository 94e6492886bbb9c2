#include "QtTexts.h"

#include <QCoreApplication>
#include <QTranslator>

bool InstallKazakhQtTexts()
{
    // Owned by the application, so it lives as long as anything it translates.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/translations/qtbase_kk.qm"))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
