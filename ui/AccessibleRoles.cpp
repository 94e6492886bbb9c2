#include "AccessibleRoles.h"

#include "TStatusBar.h"
#include "Unit1.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *AccessibleRole(const QString &className, QObject *object)
{
    // The factory is asked once per class of the object's ancestry, most
    // derived first; answering only for the exact class leaves every other
    // widget to Qt's own factory.
    if (className == QLatin1String(TForm1::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String(TStatusBar::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StatusBar);
    return nullptr;
}

} // namespace

void InstallAccessibleRoles()
{
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(&AccessibleRole);
}
