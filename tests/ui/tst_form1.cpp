#include "FixtureDb.h"
#include "FormFixture.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TStatusBar.h"
#include "TermFile.h"
#include "Unit1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace lexaran::tools;

namespace {

// `count` terms "термин <i>" / "сөз <i>", every second one under Медицина,
// the others under Химия.
std::vector<TTermEntry> Terms(int count)
{
    std::vector<TTermEntry> entries;
    for (int i = 1; i <= count; ++i) {
        entries.push_back({QStringLiteral("термин %1").arg(i), QStringLiteral("сөз %1").arg(i),
                           i % 2 ? QStringLiteral("Химия") : QStringLiteral("Медицина")});
    }
    return entries;
}

// 2500 plain terms and a few that test the statement's edges.
std::vector<TTermEntry> SearchTerms()
{
    std::vector<TTermEntry> entries = Terms(2500);
    entries.push_back({QStringLiteral("город"), QStringLiteral("қала"), QStringLiteral("Сәулет және құрылыс")});
    entries.push_back({QStringLiteral("градостроительство"), QStringLiteral("қала құрылысы"), QStringLiteral("Сәулет және құрылыс")});
    entries.push_back({QStringLiteral("городок"), QStringLiteral("шағын қала"), QStringLiteral("Тарих")});
    entries.push_back({QStringLiteral("a order by b"), QStringLiteral("реттеу"), QStringLiteral("Информатика және есептеуіш техника")});
    entries.push_back({QStringLiteral("д'артаньян"), QStringLiteral("д'артаньян"), QStringLiteral("Әдебиет және лингвистика")});
    entries.push_back({QStringLiteral("100% охват"), QStringLiteral("толық қамту"), QStringLiteral("Статистика, стандарттау және зияткерлік меншік")});
    return entries;
}

} // namespace

class tst_Form1 : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { searchFixture_.reset(); }
    void startUp_data();
    void startUp();
    void search_data();
    void search();
    void searchTwiceWritesSameText();
    void showAllAfterSearch();
    void missingTable();
    void failedSearchKeepsGrid();
    void longTextShowsItsText();
    void floatCellsKeepEveryDigit_data();
    void floatCellsKeepEveryDigit();
    void currentRowKeepsOrdinalAndLine();
    void gridMovesCurrentRow();
    void insertAndDeleteDoNothing();
    void copyCurrentRow();
    void busyCursorWhileWorking();
    void resize_data();
    void resize();
    void resizeSizesColumnsByPosition();
    void tinyWindowClampsAndRecovers();

private:
    std::unique_ptr<TFormFixture> searchFixture_;
};

void tst_Form1::startUp_data()
{
    QTest::addColumn<int>("terms");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("panel");
    QTest::newRow("999 terms") << 999 << 999 << QStringLiteral("Базада барлығы 999 термин бар");
    QTest::newRow("1000 terms") << 1000 << 1000 << QStringLiteral("Базада барлығы 1 000 термин бар");
    QTest::newRow("2500 terms") << 2500 << 1000 << QStringLiteral("Базада барлығы 2 500 термин бар");
    QTest::newRow("no terms") << 0 << 0 << QStringLiteral("Базада барлығы 0 термин бар");
}

void tst_Form1::startUp()
{
    QFETCH(int, terms);
    QFETCH(int, rows);
    QFETCH(QString, panel);
    TFormFixture fixture(Terms(terms));
    QCOMPARE(fixture.Boxes(), QStringList());
    QCOMPARE(fixture.GridRows(), rows);
    QCOMPARE(fixture.Panel(0), panel);
    QVERIFY(fixture.Panel(1).isEmpty());
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), rows > 0 ? 1 : 0);
    if (rows > 0) {
        QCOMPARE(fixture.Cell(0, 0), QStringLiteral("термин 1"));
        QCOMPARE(fixture.Cell(0, 1), QStringLiteral("сөз 1"));
        QCOMPARE(fixture.Cell(0, 2), QStringLiteral("Химия"));
    }
}

void tst_Form1::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("panel");

    QTest::newRow("2500 matches, 1000 shown") << QStringLiteral("термин") << int(mkContains) << int(sfRussian) << 0
                                             << 1000 << QStringLiteral("Сұраныс бойынша 2 500 термин табылды");
    QTest::newRow("category Медицина") << QStringLiteral("термин") << int(mkStartsWith) << int(sfBoth) << 17
                                      << 1000 << QStringLiteral("Сұраныс бойынша 1 250 термин табылды");
    QTest::newRow("mixed case Kazakh, both fields") << QStringLiteral("ҚаЛа") << int(mkContains) << int(sfBoth) << 0
                                                    << 3 << QStringLiteral("Сұраныс бойынша 3 термин табылды");
    QTest::newRow("equals in Kazakh") << QStringLiteral("қала") << int(mkEquals) << int(sfKazakh) << 0
                                      << 1 << QStringLiteral("Сұраныс бойынша 1 термин табылды");
    QTest::newRow("Russian field misses Kazakh") << QStringLiteral("қала") << int(mkContains) << int(sfRussian) << 0
                                                 << 0 << QStringLiteral("Сұраныс бойынша 0 термин табылды");
    QTest::newRow("no match") << QStringLiteral("жоқ сөз") << int(mkContains) << int(sfBoth) << 0
                              << 0 << QStringLiteral("Сұраныс бойынша 0 термин табылды");
    QTest::newRow("order by in the text") << QStringLiteral("a order by b") << int(mkEquals) << int(sfRussian) << 0
                                          << 1 << QStringLiteral("Сұраныс бойынша 1 термин табылды");
    QTest::newRow("quote in the text") << QStringLiteral("Д'Артаньян") << int(mkContains) << int(sfBoth) << 0
                                       << 1 << QStringLiteral("Сұраныс бойынша 1 термин табылды");
    QTest::newRow("percent is a pattern character") << QStringLiteral("100%") << int(mkStartsWith) << int(sfRussian) << 0
                                                    << 1 << QStringLiteral("Сұраныс бойынша 1 термин табылды");
    QTest::newRow("empty text, equals") << QString() << int(mkEquals) << int(sfBoth) << 0
                                        << 0 << QStringLiteral("Сұраныс бойынша 0 термин табылды");
    QTest::newRow("blank after the word") << QStringLiteral("термин 25 ") << int(mkStartsWith) << int(sfRussian) << 0
                                          << 0 << QStringLiteral("Сұраныс бойынша 0 термин табылды");
}

void tst_Form1::search()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(int, field);
    QFETCH(int, category);
    QFETCH(int, rows);
    QFETCH(QString, panel);

    // One window serves every row: each search replaces the last one.
    if (!searchFixture_)
        searchFixture_ = std::make_unique<TFormFixture>(SearchTerms());
    TFormFixture *fixture = searchFixture_.get();
    const QString total = QStringLiteral("Базада барлығы 2 506 термин бар");
    QCOMPARE(fixture->Panel(0), total);
    fixture->Search(text, TMatchKind(kind), TSearchField(field), category);
    QCOMPARE(fixture->Boxes(), QStringList());
    QCOMPARE(fixture->GridRows(), rows);
    QCOMPARE(fixture->Panel(1), panel);
    QCOMPARE(fixture->Panel(0), total);
    QCOMPARE(fixture->form->ClientDataSet1.RecNo(), rows > 0 ? 1 : 0);
    if (category > 0) {
        for (int row = 0; row < rows; row += 97)
            QCOMPARE(fixture->Cell(row, 2), fixture->form->ComboBox1->itemText(category));
    }
}

void tst_Form1::searchTwiceWritesSameText()
{
    TFormFixture fixture(SearchTerms());
    fixture.Search(QStringLiteral("сөз 12"), mkStartsWith, sfKazakh);
    const QString first = fixture.Panel(1);
    QCOMPARE(first, QStringLiteral("Сұраныс бойынша 111 термин табылды"));
    fixture.form->StatusBar1->SetPanelText(1, QString());
    fixture.form->BitBtn1->click();
    QCOMPARE(fixture.Panel(1), first);
    QCOMPARE(fixture.GridRows(), 111);
}

void tst_Form1::showAllAfterSearch()
{
    TFormFixture fixture(SearchTerms());
    fixture.Search(QStringLiteral("қала"));
    const QString searched = fixture.Panel(1);
    fixture.form->BitBtn2->click();
    QCOMPARE(fixture.Boxes(), QStringList());
    QCOMPARE(fixture.GridRows(), 2506);
    QCOMPARE(fixture.Panel(1), searched);
    QCOMPARE(fixture.Panel(0), QStringLiteral("Базада барлығы 2 506 термин бар"));
    QCOMPARE(fixture.form->DBGrid1->model()->columnCount(), 3);
    QCOMPARE(fixture.form->ClientDataSet1.Fields().size(), std::size_t(4));
    QCOMPARE(fixture.Cell(2505, 0), QStringLiteral("100% охват"));

    fixture.Search(QStringLiteral("сөз"), mkContains, sfKazakh);
    QCOMPARE(fixture.GridRows(), 1000);
    QCOMPARE(fixture.Panel(1), QStringLiteral("Сұраныс бойынша 2 500 термин табылды"));
}

void tst_Form1::missingTable()
{
    TFormFixture fixture;
    fixture.Open();
    QCOMPARE(fixture.Boxes(), QStringList{QStringLiteral("no such table: termin_items.")});
    QVERIFY(QFileInfo::exists(fixture.Path()));
    QCOMPARE(QFileInfo(fixture.Path()).size(), 0);
    QCOMPARE(fixture.GridRows(), 0);
    QVERIFY(fixture.Panel(0).isEmpty());

    // The window still opens and goes on working.
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));

    // Once the table exists, a search runs but the set opened at start-up
    // never was, so the refresh refuses and no count is written.
    MakeDatabase(fixture.Path(), TermTableSql(5));
    fixture.Search(QStringLiteral("рус"));
    fixture.form->BitBtn2->click();
    const QString closed = QStringLiteral("ClientDataSet1: Cannot perform this operation on a closed dataset.");
    QCOMPARE(fixture.Boxes(), (QStringList{QStringLiteral("no such table: termin_items."), closed, closed}));
    QCOMPARE(fixture.GridRows(), 0);
    QVERIFY(fixture.Panel(0).isEmpty());
    QVERIFY(fixture.Panel(1).isEmpty());
}

void tst_Form1::failedSearchKeepsGrid()
{
    // A table without the capital copies: start-up works, every search fails.
    TFormFixture fixture(QStringLiteral(
        "create table termin_items (id INTEGER PRIMARY KEY, rus VARCHAR(50), kaz VARCHAR(50), cat VARCHAR(50));"
        "insert into termin_items values (1, 'вода', 'су', 'Химия');"
        "insert into termin_items values (2, 'земля', 'жер', 'Экология');"));
    QCOMPARE(fixture.Panel(0), QStringLiteral("Базада барлығы 2 термин бар"));
    fixture.Search(QStringLiteral("су"));
    QCOMPARE(fixture.Boxes(), QStringList{QStringLiteral("no such column: rus_upper.")});
    QCOMPARE(fixture.GridRows(), 2);
    QCOMPARE(fixture.Cell(1, 1), QStringLiteral("жер"));
    QVERIFY(fixture.Panel(1).isEmpty());
    // The next press is handled normally.
    fixture.form->BitBtn2->click();
    QCOMPARE(fixture.Boxes().size(), 1);
    QCOMPARE(fixture.GridRows(), 2);
}

void tst_Form1::longTextShowsItsText()
{
    TFormFixture fixture(QStringLiteral(
        "create table termin_items (id INTEGER PRIMARY KEY, rus TEXT, kaz VARCHAR(50), cat VARCHAR(50),"
        " rus_upper TEXT, kaz_upper VARCHAR(50));"
        "insert into termin_items values (1, 'кровообращение', NULL, 'Медицина', 'КРОВООБРАЩЕНИЕ', NULL);"
        "insert into termin_items values (2, NULL, 'жүйке', 'Медицина', NULL, 'ЖҮЙКЕ');"
        "insert into termin_items values (3, hex(zeroblob(50000)), 'ұзын', 'Медицина', NULL, 'ҰЗЫН');"));
    QCOMPARE(int(fixture.form->ClientDataSet1.Fields()[1].Kind), int(lexaran::store::fkMemo));
    QCOMPARE(fixture.Cell(0, 0), QStringLiteral("кровообращение"));
    QVERIFY(!fixture.form->DBGrid1->model()->index(0, 1).data().isValid());
    QVERIFY(!fixture.form->DBGrid1->model()->index(1, 0).data().isValid());
    QCOMPARE(fixture.Cell(1, 1), QStringLiteral("жүйке"));

    // A cell shows the start of a very long text; copying takes all of it.
    QCOMPARE(fixture.Cell(2, 0), QString(TDataSource::DisplayLimit, u'0') + QChar(0x2026));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    fixture.form->ClientDataSet1.SetRecNo(3);
    QTest::keyClick(fixture.form->DBGrid1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString(100000, u'0') + QStringLiteral("\tұзын\tМедицина"));
}

void tst_Form1::floatCellsKeepEveryDigit_data()
{
    QTest::addColumn<QString>("literal"); // as the file holds it
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");    // the shortest that reads back as the value

    QTest::newRow("more than six digits") << QStringLiteral("1234567.89") << 1234567.89 << QStringLiteral("1234567.89");
    QTest::newRow("one third") << QStringLiteral("1.0 / 3") << 1.0 / 3 << QStringLiteral("0.3333333333333333");
    QTest::newRow("huge") << QStringLiteral("1e300") << 1e300 << QStringLiteral("1e+300");
    QTest::newRow("inexact tenth") << QStringLiteral("0.1") << 0.1 << QStringLiteral("0.1");
    QTest::newRow("seventeen digits") << QStringLiteral("1.2345678901234568e17") << 1.2345678901234568e17
                                      << QStringLiteral("123456789012345680");
    QTest::newRow("negative") << QStringLiteral("-2.5") << -2.5 << QStringLiteral("-2.5");
    QTest::newRow("whole number held as REAL") << QStringLiteral("299792458.0") << 299792458.0
                                               << QStringLiteral("299792458");
}

void tst_Form1::floatCellsKeepEveryDigit()
{
    QFETCH(QString, literal);
    QFETCH(double, value);
    QFETCH(QString, text);

    // rus is declared VARCHAR(255), but its first row holds a REAL: written
    // while the column was declared BLOB, whose lack of affinity keeps a
    // value as it is written. The column arrives as a float field.
    TFormFixture fixture(QStringLiteral(
        "create table termin_items (id INTEGER PRIMARY KEY, rus BLOB, kaz VARCHAR(255), cat VARCHAR(255),"
        " rus_upper VARCHAR(255), kaz_upper VARCHAR(255));"
        "insert into termin_items values (1, %1, 'жылдамдық', 'Физика және астрономия', NULL, 'ЖЫЛДАМДЫҚ');"
        "pragma writable_schema = on;"
        "update sqlite_master set sql = replace(sql, 'rus BLOB', 'rus VARCHAR(255)') where name = 'termin_items';")
                             .arg(literal));
    QCOMPARE(fixture.Boxes(), QStringList());
    QCOMPARE(int(fixture.form->ClientDataSet1.Fields()[1].Kind), int(lexaran::store::fkFloat));
    QCOMPARE(fixture.form->ClientDataSet1.Rows().Float(0, 1), value);

    QCOMPARE(fixture.Cell(0, 0), text);
    QCOMPARE(text.toDouble(), value);

    // The screen reader and Ctrl+C give the cell's text, not another one.
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(fixture.form->DBGrid1);
    QVERIFY(grid && grid->tableInterface());
    QAccessibleInterface *cell = grid->tableInterface()->cellAt(0, 0);
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), text);
    QTest::keyClick(fixture.form->DBGrid1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), text + QStringLiteral("\tжылдамдық\tФизика және астрономия"));
}

void tst_Form1::currentRowKeepsOrdinalAndLine()
{
    TFormFixture fixture(Terms(2500));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    TDBGrid *grid = fixture.form->DBGrid1;

    // Row 500 current, on the fourth line of the grid.
    grid->verticalScrollBar()->setValue(496);
    fixture.form->ClientDataSet1.SetRecNo(500);
    QCOMPARE(grid->currentIndex().row(), 499);
    QCOMPARE(grid->CurrentLine(), 3);

    fixture.Search(QStringLiteral("сөз"), mkContains, sfKazakh);
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 500);
    QCOMPARE(grid->currentIndex().row(), 499);
    QCOMPARE(grid->CurrentLine(), 3);

    // Fewer rows than the ordinal: the last row becomes current.
    fixture.Search(QStringLiteral("сөз 7"), mkEquals, sfKazakh);
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 1);
    QCOMPARE(grid->currentIndex().row(), 0);

    fixture.Search(QStringLiteral("жоқ"));
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 0);
    QVERIFY(!grid->currentIndex().isValid());
    fixture.Search(QStringLiteral("сөз 1"), mkStartsWith);
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 1);
    QCOMPARE(grid->currentIndex().row(), 0);
    QCOMPARE(fixture.Boxes(), QStringList());
}

void tst_Form1::gridMovesCurrentRow()
{
    TFormFixture fixture(Terms(50));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    TDBGrid *grid = fixture.form->DBGrid1;
    QSignalSpy moved(&fixture.form->ClientDataSet1, &TClientDataSet::Moved);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 3);
    const QRect fifth = grid->visualRect(grid->model()->index(4, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, fifth.center());
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 5);
    QCOMPARE(moved.count(), 3);
    QVERIFY(grid->selectionModel()->isRowSelected(4, QModelIndex()));
    QCOMPARE(grid->selectionModel()->selectedIndexes().size(), 3);
}

void tst_Form1::insertAndDeleteDoNothing()
{
    TFormFixture fixture(Terms(20));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    TDBGrid *grid = fixture.form->DBGrid1;
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_F2);
    QCOMPARE(fixture.GridRows(), 20);
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 2);
    QCOMPARE(fixture.Cell(1, 0), QStringLiteral("термин 2"));
    QVERIFY(!grid->indexWidget(grid->currentIndex()));
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(fixture.Boxes(), QStringList());
}

void tst_Form1::copyCurrentRow()
{
    TFormFixture fixture(Terms(20));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowActive(fixture.form.get()));
    TDBGrid *grid = fixture.form->DBGrid1;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));

    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("термин 2\tсөз 2\tМедицина"));

    // The columns' current order, after the user moved the subject first.
    grid->horizontalHeader()->moveSection(2, 0);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("Химия\tтермин 3\tсөз 3"));
    QCOMPARE(fixture.form->ClientDataSet1.RecNo(), 3);
    QCOMPARE(fixture.GridRows(), 20);

    // Nothing current, nothing copied.
    fixture.Search(QStringLiteral("жоқ"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("Химия\tтермин 3\tсөз 3"));
    QCOMPARE(fixture.Boxes(), QStringList());
}

void tst_Form1::busyCursorWhileWorking()
{
    TFormFixture fixture(Terms(30));
    QList<Qt::CursorShape> seen;
    connect(&fixture.form->ClientDataSet1, &TClientDataSet::AboutToFill, this, [&] {
        seen.append(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor);
    });
    fixture.Search(QStringLiteral("термин"));
    QCOMPARE(seen, QList<Qt::CursorShape>{Qt::WaitCursor});
    QVERIFY(!QApplication::overrideCursor());

    // A failing step restores the cursor too.
    // Closed first: Windows deletes no file that is open.
    fixture.form->SQLConnection1.Close();
    QVERIFY(QFile::remove(fixture.Path()));
    fixture.form->BitBtn2->click();
    QCOMPARE(fixture.Boxes(), QStringList{QStringLiteral("no such table: termin_items.")});
    QVERIFY(!QApplication::overrideCursor());
}

void tst_Form1::resize_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QSize>("grid");
    QTest::addColumn<QList<int>>("columns");
    QTest::newRow("1100 by 600") << QSize(1100, 600) << QSize(1050, 405) << QList<int>{350, 350, 280};
    QTest::newRow("outer width 1000") << QSize(1000, 600) << QSize(950, 405) << QList<int>{317, 317, 247};
    QTest::newRow("3 pixels wider") << QSize(1103, 600) << QSize(1053, 405) << QList<int>{351, 351, 281};
}

void tst_Form1::resize()
{
    QFETCH(QSize, outer);
    QFETCH(QSize, grid);
    QFETCH(QList<int>, columns);

    TFormFixture fixture(Terms(10));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    fixture.ResizeOuter(outer);
    QCOMPARE(fixture.form->DBGrid1->size(), grid);
    QCOMPARE(fixture.form->DBGrid1->pos(), QPoint(8, 95));
    const QHeaderView *titles = fixture.form->DBGrid1->horizontalHeader();
    QList<int> widths;
    for (int position = 0; position < 3; ++position)
        widths.append(titles->sectionSize(titles->logicalIndex(position)));
    QCOMPARE(widths, columns);
    QCOMPARE(fixture.form->BitBtn1->geometry(), QRect(623, 20, 87, 21));
}

void tst_Form1::resizeSizesColumnsByPosition()
{
    TFormFixture fixture(Terms(10));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    QHeaderView *titles = fixture.form->DBGrid1->horizontalHeader();
    // The user drags the Russian column to the end.
    titles->moveSection(0, 2);
    fixture.ResizeOuter(QSize(1100, 600));
    QCOMPARE(titles->logicalIndex(0), 1);
    QCOMPARE(titles->sectionSize(1), 350);
    QCOMPARE(titles->sectionSize(2), 350);
    QCOMPARE(titles->sectionSize(0), 280);
}

void tst_Form1::tinyWindowClampsAndRecovers()
{
    TFormFixture fixture(Terms(10));
    fixture.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.form.get()));
    fixture.ResizeOuter(QSize(40, 120));
    QCOMPARE(fixture.form->DBGrid1->size(), QSize(0, 0));
    fixture.ResizeOuter(QSize(250, 400));
    QCOMPARE(fixture.form->DBGrid1->size(), QSize(200, 205));
    QCOMPARE(fixture.form->DBGrid1->horizontalHeader()->sectionSize(2), 0);
    fixture.ResizeOuter(QSize(1100, 600));
    QCOMPARE(fixture.form->DBGrid1->size(), QSize(1050, 405));
    QCOMPARE(fixture.form->DBGrid1->horizontalHeader()->sectionSize(2), 280);
    QCOMPARE(fixture.form->StatusBar1->geometry(),
             QRect(0, fixture.form->height() - 19, fixture.form->width(), 19));
    QCOMPARE(fixture.Boxes(), QStringList());
}

QTEST_MAIN(tst_Form1)
#include "tst_form1.moc"
