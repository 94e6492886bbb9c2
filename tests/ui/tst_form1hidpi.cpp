#include "ErrorBox.h"
#include "FixtureDb.h"
#include "TDBGrid.h"
#include "TStatusBar.h"
#include "Unit1.h"

#include <QApplication>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

// The window on a monitor of 192 pixels per inch: Qt scales the design's
// lengths once, and the resize rule's 50, 100 and 70 stay physical pixels.
class tst_Form1HiDpi : public QObject
{
    Q_OBJECT

private slots:
    void designLengthsDouble();
    void resizeRuleInPhysicalPixels();
};

void tst_Form1HiDpi::designLengthsDouble()
{
    QTemporaryDir directory;
    MakeDatabase(directory.filePath(QStringLiteral("termins.db")), TermTableSql(30));
    TForm1 form(directory.path() + QLatin1Char('/'));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.devicePixelRatioF(), 2.0);
    QCOMPARE(form.grab().size(), QSize(2194, 1136));
    QCOMPARE(form.StatusBar1->PanelRect(0).width() * form.devicePixelRatioF(), 500.0);
    QCOMPARE(form.font().pixelSize() * form.devicePixelRatioF(), 22.0);
}

void tst_Form1HiDpi::resizeRuleInPhysicalPixels()
{
    QTemporaryDir directory;
    MakeDatabase(directory.filePath(QStringLiteral("termins.db")), TermTableSql(30));
    TForm1 form(directory.path() + QLatin1Char('/'));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // An outer size of 2200 by 1200 physical pixels.
    form.resize(QSize(1100, 600) - (form.frameGeometry().size() - form.size()));
    QCOMPARE(form.frameGeometry().size(), QSize(1100, 600));
    // Grid: 2200 - 50 by 1200 - (190 + 100) physical pixels.
    QCOMPARE(form.DBGrid1->size() * 2, QSize(2150, 910));
    // Columns: a third of 2150 is 717 (70 less: 647), halved and rounded
    // to the logical pixels that Qt can place.
    const QHeaderView *titles = form.DBGrid1->horizontalHeader();
    QCOMPARE(titles->sectionSize(0), 359);
    QCOMPARE(titles->sectionSize(1), 359);
    QCOMPARE(titles->sectionSize(2), 324);
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    SetExceptionPresenter([](QWidget *, const QString &, const QString &text) { qFatal("error box: %s", qPrintable(text)); });
    tst_Form1HiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1hidpi.moc"
