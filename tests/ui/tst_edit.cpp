#include "FixtureDb.h"
#include "FormFixture.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TStatusBar.h"
#include "TimeLimits.h"
#include "Unit1.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

#include <memory>

#include <ctime>

namespace {

// CPU seconds that this process has used so far, on all its threads.
double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QString HugeText()
{
    // 10 MB of UTF-8: Kazakh letters and blanks.
    return QStringLiteral("қазақ сөзі ").repeated(10 * 1024 * 1024 / 20);
}

} // namespace

class tst_Edit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void hugeTextLeavesWindowIdle();
    void caretBlinksUnlessTextIsHuge();

private:
    std::unique_ptr<TFormFixture> fixture_;
};

void tst_Edit::init()
{
    fixture_ = std::make_unique<TFormFixture>(TermTableSql(3));
    fixture_->form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture_->form.get()));
}

void tst_Edit::cleanup()
{
    QCOMPARE(EndFixture(fixture_), QStringList());
}

void tst_Edit::hugeTextLeavesWindowIdle()
{
    const QString text = HugeText();
    TEdit *edit = fixture_->form->Edit1;
    edit->setFocus(Qt::TabFocusReason);
    edit->setText(text);
    QVERIFY(edit->hasFocus());
    // Laying out and painting the text once takes its time; after that the
    // window has nothing to do while the text just sits in the box.
    QTest::qWait(1500);
    const double before = ProcessCpuSeconds();
    QTest::qWait(3000);
    const double used = ProcessCpuSeconds() - before;
    QVERIFY2(used < 0.3 * TimeLimitFactor(), qPrintable(QStringLiteral("%1 s of CPU in 3 s of idling").arg(used)));

    // No length limit: the whole text stays and is what a search looks for.
    QCOMPARE(edit->text().size(), text.size());
    QCOMPARE(fixture_->form->ReadSearchRequest().Text, text);
}

void tst_Edit::caretBlinksUnlessTextIsHuge()
{
    QStyleHints *hints = QGuiApplication::styleHints();
    const int desktopFlashTime = hints->cursorFlashTime();
    QVERIFY(desktopFlashTime > 0);
    // cursorFlashTime() answers with the desktop's value both when the
    // setting asks the desktop (-1) and when a number pins it; only the
    // setting itself, as last set, tells the two apart.
    QSignalSpy settings(hints, &QStyleHints::cursorFlashTimeChanged);
    auto setting = [&] { return settings.isEmpty() ? -1 : settings.constLast().at(0).toInt(); };
    auto blinksAsDesktopSays = [&] { return hints->cursorFlashTime() == desktopFlashTime && setting() == -1; };
    TEdit *edit = fixture_->form->Edit1;

    edit->setText(HugeText());
    QVERIFY(blinksAsDesktopSays());
    QCOMPARE(settings.size(), 0);
    edit->setFocus(Qt::TabFocusReason);
    QCOMPARE(hints->cursorFlashTime(), 0);
    edit->setText(QStringLiteral("қысқа"));
    QVERIFY(blinksAsDesktopSays());
    edit->setText(HugeText());
    QCOMPARE(hints->cursorFlashTime(), 0);
    fixture_->form->DBGrid1->setFocus(Qt::TabFocusReason);
    QVERIFY(blinksAsDesktopSays());
    edit->setFocus(Qt::MouseFocusReason);
    QCOMPARE(hints->cursorFlashTime(), 0);
    // Closed with the huge text focused: the desktop's blinking comes back.
    fixture_->Close();
    QVERIFY(blinksAsDesktopSays());
    QCOMPARE(settings.size(), 6);
}

QTEST_MAIN(tst_Edit)
#include "tst_edit.moc"
