#include "ErrorBoxRecorder.h"
#include "FixtureDb.h"
#include "TDBGrid.h"
#include "TStatusBar.h"
#include "Unit1.h"

#include <QApplication>
#include <QHeaderView>
#include <QTemporaryDir>
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
    std::unique_ptr<TErrorBoxRecorder> boxes_;
    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<TForm1> form_;
};

void tst_Form1HiDpi::init()
{
    boxes_ = std::make_unique<TErrorBoxRecorder>();
    directory_ = std::make_unique<QTemporaryDir>();
    MakeDatabase(directory_->filePath(QStringLiteral("termins.db")), TermTableSql(30));
    form_ = std::make_unique<TForm1>(directory_->path() + QLatin1Char('/'));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void tst_Form1HiDpi::cleanup()
{
    form_.reset();
    directory_.reset();
    const QStringList shown = boxes_->Texts();
    boxes_.reset();
    QCOMPARE(shown, QStringList());
}

void tst_Form1HiDpi::designLengthsDouble()
{
    TForm1 &form = *form_;
    QCOMPARE(form.devicePixelRatioF(), 2.0);
    QCOMPARE(form.grab().size(), QSize(2194, 1136));
    QCOMPARE(form.StatusBar1->PanelRect(0).width() * form.devicePixelRatioF(), 500.0);
    QCOMPARE(form.font().pixelSize() * form.devicePixelRatioF(), 22.0);
}

void tst_Form1HiDpi::resizeRuleInPhysicalPixels()
{
    TForm1 &form = *form_;
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
    tst_Form1HiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1hidpi.moc"
