#pragma once

// Qt's own texts that the window can show, in Kazakh: the context menus of
// the text box and of the scroll bars, the error box's button, the names
// that assistive technology reads out. Qt ships no Kazakh translation, and
// the whole interface is Kazakh whatever the desktop's language.
//
// Installs the embedded translation into the application; false when it
// cannot be had. Call once, after the application object exists.
bool InstallKazakhQtTexts();
