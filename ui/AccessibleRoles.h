#pragma once

// Makes screen readers meet the window's own widgets in their proper roles:
// the main window as a window (a frame) and the status bar as a status bar,
// whose panels are its readable children. Qt alone exposes both as plain
// client areas, since they derive from QWidget directly. Safe to call more
// than once.
void InstallAccessibleRoles();
