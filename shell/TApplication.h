#pragma once

#include <QApplication>

namespace lexaran::shell {

// The application object. It installs Qt's own texts in Kazakh as it is
// made (QtTexts.h). Its notify override is the last safety net of the
// event loop: every handler already runs through Guarded, but should anything
// still escape the dispatch of an event, it gives one error box and the loop
// goes on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace lexaran::shell
