#include "WindowRules.h"

#include <QTest>

using namespace lexaran::ui;

class tst_WindowRules : public QObject
{
    Q_OBJECT

private slots:
    void groupDigits_data();
    void groupDigits();
    void desktopCenter_data();
    void desktopCenter();
    void fitGrid_data();
    void fitGrid();
};

void tst_WindowRules::groupDigits_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("0") << "0" << "0";
    QTest::newRow("999") << "999" << "999";
    QTest::newRow("1000") << "1000" << "1 000";
    QTest::newRow("12345") << "12345" << "12 345";
    QTest::newRow("123456") << "123456" << "123 456";
    QTest::newRow("1234567") << "1234567" << "1 234 567";
    QTest::newRow("1000000") << "1000000" << "1 000 000";
}

void tst_WindowRules::groupDigits()
{
    QFETCH(QString, digits);
    QFETCH(QString, grouped);
    QCOMPARE(GroupDigits(digits), grouped);
}

void tst_WindowRules::desktopCenter_data()
{
    QTest::addColumn<QRect>("desktop");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("one monitor") << QRect(0, 0, 1920, 1080) << QSize(1113, 607) << QPoint(960 - 556, 540 - 303);
    QTest::newRow("two monitors side by side") << QRect(0, 0, 3840, 1080) << QSize(1113, 607) << QPoint(1920 - 556, 237);
    QTest::newRow("monitor left of the primary") << QRect(-1280, 0, 3200, 1024) << QSize(1000, 500) << QPoint(-180, 262);
    QTest::newRow("window larger than the desktop") << QRect(0, 0, 800, 600) << QSize(1113, 607) << QPoint(0, 0);
    QTest::newRow("larger, desktop not at origin") << QRect(-1024, -100, 800, 600) << QSize(1113, 701) << QPoint(-1024, -100);
}

void tst_WindowRules::desktopCenter()
{
    QFETCH(QRect, desktop);
    QFETCH(QSize, outer);
    QFETCH(QPoint, position);
    QCOMPARE(DesktopCenterPosition(desktop, outer), position);
}

void tst_WindowRules::fitGrid_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QList<int>>("columns");

    QTest::newRow("1100 by 600") << QSize(1100, 600) << 95 << 1050 << 405 << QList<int>{350, 350, 280};
    QTest::newRow("outer width 1000") << QSize(1000, 600) << 95 << 950 << 405 << QList<int>{317, 317, 247};
    QTest::newRow("3 pixels wider") << QSize(1103, 600) << 95 << 1053 << 405 << QList<int>{351, 351, 281};
    QTest::newRow("1 pixel wider") << QSize(1101, 600) << 95 << 1051 << 405 << QList<int>{350, 350, 280};
    QTest::newRow("third rounded up") << QSize(1102, 600) << 95 << 1052 << 405 << QList<int>{351, 351, 281};
    QTest::newRow("scaled grid top") << QSize(2200, 1200) << 190 << 2150 << 910 << QList<int>{717, 717, 647};
    QTest::newRow("narrower than 50") << QSize(30, 150) << 95 << 0 << 0 << QList<int>{0, 0, 0};
    QTest::newRow("third column reaches zero") << QSize(261, 400) << 95 << 211 << 205 << QList<int>{70, 70, 0};
}

void tst_WindowRules::fitGrid()
{
    QFETCH(QSize, outer);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QList<int>, columns);
    const TGridFit fit = FitGrid(outer, top);
    QCOMPARE(fit.Width, width);
    QCOMPARE(fit.Height, height);
    QCOMPARE(QList<int>(fit.Columns.begin(), fit.Columns.end()), columns);
}

QTEST_APPLESS_MAIN(tst_WindowRules)
#include "tst_windowrules.moc"
