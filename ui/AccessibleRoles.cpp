#include "AccessibleRoles.h"

#include <QAccessibleWidget>
#include <QByteArray>
#include <QMetaObject>
#include <QWidget>

#include <utility>
#include <vector>

namespace lexaran::ui {

namespace {

// Qt's factories are plain functions, so the classes and their roles live
// here; the widgets that ask come from the one GUI thread.
std::vector<std::pair<QByteArray, QAccessible::Role>> &Roles()
{
    static std::vector<std::pair<QByteArray, QAccessible::Role>> roles;
    return roles;
}

QAccessibleInterface *AccessibleRole(const QString &className, QObject *object)
{
    // The factory is asked once per class of the object's ancestry, most
    // derived first; answering only for the exact class leaves every other
    // widget to Qt's own factory.
    for (const auto &[type, role] : Roles()) {
        if (className == QLatin1String(type))
            return new QAccessibleWidget(static_cast<QWidget *>(object), role);
    }
    return nullptr;
}

} // namespace

void InstallAccessibleRole(const QMetaObject &type, QAccessible::Role role)
{
    const QByteArray name(type.className());
    for (auto &entry : Roles()) {
        if (entry.first == name) {
            entry.second = role;
            return;
        }
    }
    Roles().emplace_back(name, role);
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(&AccessibleRole);
}

} // namespace lexaran::ui
