#include "FixtureDb.h"
#include "FormFixture.h"
#include "TDBGrid.h"
#include "TStatusBar.h"
#include "Unit1.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include <memory>

// The window on a monitor of 192 pixels per inch: Qt scales the design's
// lengths once, and the resize rule's 50, 100 and 70 stay physical pixels.
class tst_Form1HiDpi : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void designLengthsDouble();
    void resizeRuleInPhysicalPixels();

private:
    std::unique_ptr<TFormFixture> fixture_;
};

void tst_Form1HiDpi::init()
{
    fixture_ = std::make_unique<TFormFixture>(TermTableSql(30));
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture_->form.get()));
}

void tst_Form1HiDpi::cleanup()
{
    QCOMPARE(EndFixture(fixture_), QStringList());
}

void tst_Form1HiDpi::designLengthsDouble()
{
    TForm1 &form = *fixture_->form;
    QCOMPARE(form.devicePixelRatioF(), 2.0);
    QCOMPARE(form.grab().size(), QSize(2194, 1136));
    QCOMPARE(form.StatusBar1->PanelRect(0).width() * form.devicePixelRatioF(), 500.0);
    QCOMPARE(form.font().pixelSize() * form.devicePixelRatioF(), 22.0);
}

void tst_Form1HiDpi::resizeRuleInPhysicalPixels()
{
    TForm1 &form = *fixture_->form;
    // An outer size of 2200 by 1200 physical pixels.
    fixture_->ResizeOuter(QSize(1100, 600));
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
    tst_Form1HiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1hidpi.moc"
