#pragma once

#include <QAccessible>

struct QMetaObject;

namespace lexaran::ui {

// Makes screen readers meet widgets of class `type` (exactly that class, not
// its subclasses) in `role`. Qt alone exposes a widget that derives from
// QWidget directly as a plain client area; the window gives itself the
// window (frame) role and its status bar the status-bar role, whose panels
// are its readable children. Giving a class a role again replaces it.
void InstallAccessibleRole(const QMetaObject &type, QAccessible::Role role);

} // namespace lexaran::ui
