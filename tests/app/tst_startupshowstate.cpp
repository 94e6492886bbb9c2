#include "StartupShowState.h"

#include <QTest>

using lexaran::app::ShowStateForCommand;

class tst_StartupShowState : public QObject
{
    Q_OBJECT

private slots:
    void showCommand_data();
    void showCommand();
};

void tst_StartupShowState::showCommand_data()
{
    QTest::addColumn<unsigned>("command");
    QTest::addColumn<Qt::WindowStates>("state");

    // Numbered as in winuser.h.
    QTest::newRow("SW_HIDE") << 0u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_SHOWNORMAL") << 1u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_SHOWMINIMIZED is not without activation") << 2u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_SHOWMAXIMIZED") << 3u << Qt::WindowStates(Qt::WindowMaximized);
    QTest::newRow("SW_SHOWNOACTIVATE") << 4u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_SHOW") << 5u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_MINIMIZE is not without activation") << 6u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_SHOWMINNOACTIVE") << 7u << Qt::WindowStates(Qt::WindowMinimized);
    QTest::newRow("SW_SHOWNA") << 8u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_RESTORE") << 9u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_SHOWDEFAULT") << 10u << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("SW_FORCEMINIMIZE") << 11u << Qt::WindowStates(Qt::WindowNoState);
}

void tst_StartupShowState::showCommand()
{
    QFETCH(unsigned, command);
    QFETCH(Qt::WindowStates, state);
    QCOMPARE(ShowStateForCommand(command), state);
}

QTEST_APPLESS_MAIN(tst_StartupShowState)
#include "tst_startupshowstate.moc"
