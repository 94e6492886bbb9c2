#include "StoreErrorCheck.h"
#include "StoreFixture.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"

#include <QSignalSpy>
#include <QTest>

using namespace lexaran::store;

namespace {

// A result set wired to a fixture of `terms` rows, as the window wires it.
struct TResultFixture : TStoreFixture
{
    explicit TResultFixture(int terms, const QString &extraSql = QString())
        : TStoreFixture(TermTableSql(terms) + extraSql)
    {
        dataSet.setObjectName(QStringLiteral("ClientDataSet1"));
    }

    // Runs "the first n terms" and opens or refreshes the set with it.
    void Fill(int n, bool open = false)
    {
        Run(QStringLiteral("select id, rus, kaz, cat from termin_items where id <= %1").arg(n));
        open ? dataSet.Open() : dataSet.Refresh();
    }

    TDataSetProvider provider{&query};
    TClientDataSet dataSet{&provider};
};

QString ClosedSetError()
{
    return QStringLiteral("ClientDataSet1: Cannot perform this operation on a closed dataset");
}

} // namespace

class tst_ClientDataSet : public QObject
{
    Q_OBJECT

private slots:
    void openFixesFieldsAndCopiesRows();
    void refreshPlacesCurrentRow_data();
    void refreshPlacesCurrentRow();
    void refreshTakesFirstFourColumns();
    void failedRefreshKeepsOldRows();
    void failedOpenStaysClosed();
    void closedSetRefuses();
    void nullKeptThroughCopy();
    void notifiesAfterFillAndMove();
    void furtherPackets();
};

void tst_ClientDataSet::openFixesFieldsAndCopiesRows()
{
    TResultFixture fixture(1200);
    fixture.Run(QStringLiteral("select id, rus, kaz, cat from termin_items limit 1000"));
    fixture.dataSet.Open();
    QVERIFY(fixture.dataSet.Active());
    QVERIFY(fixture.dataSet.Complete());
    QCOMPARE(fixture.dataSet.RecordCount(), 1000);
    QCOMPARE(fixture.dataSet.RecNo(), 1);
    const std::vector<TFieldDef> &fields = fixture.dataSet.Fields();
    QCOMPARE(fields.size(), std::size_t(4));
    const char *names[] = {"id", "rus", "kaz", "cat"};
    for (std::size_t i = 0; i < 4; ++i)
        QCOMPARE(fields[i].Name, QString::fromLatin1(names[i]));
    QCOMPARE(int(fields[0].Kind), int(fkInteger));
    QCOMPARE(int(fields[1].Kind), int(fkString));
    QCOMPARE(fields[1].Size, 255);
    QCOMPARE(fixture.dataSet.Rows().Integer(999, 0), 1000);
    QCOMPARE(fixture.dataSet.Rows().Text(999, 2), u"қаз1000");
    QCOMPARE(fixture.dataSet.Rows().Text(0, 3), u"Химия");
}

void tst_ClientDataSet::refreshPlacesCurrentRow_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("expected");

    QTest::newRow("row 10 current, then 3 rows") << 20 << 10 << 3 << 3;
    QTest::newRow("row 2 current, then 500 rows") << 20 << 2 << 500 << 2;
    QTest::newRow("same rows again") << 20 << 7 << 20 << 7;
    QTest::newRow("an empty set, then rows") << 0 << 0 << 5 << 1;
    QTest::newRow("rows, then an empty set") << 5 << 4 << 0 << 0;
}

void tst_ClientDataSet::refreshPlacesCurrentRow()
{
    QFETCH(int, before);
    QFETCH(int, current);
    QFETCH(int, after);
    QFETCH(int, expected);

    TResultFixture fixture(600);
    fixture.Fill(before, true);
    if (current > 0)
        fixture.dataSet.SetRecNo(current);
    QCOMPARE(fixture.dataSet.RecNo(), current);
    fixture.Fill(after);
    QCOMPARE(fixture.dataSet.RecordCount(), after);
    QCOMPARE(fixture.dataSet.RecNo(), expected);
}

void tst_ClientDataSet::refreshTakesFirstFourColumns()
{
    TResultFixture fixture(30);
    fixture.Fill(10, true);
    fixture.Run(QStringLiteral("select * from termin_items"));
    fixture.dataSet.Refresh();
    QCOMPARE(fixture.dataSet.RecordCount(), 30);
    QCOMPARE(fixture.dataSet.Fields().size(), std::size_t(4));
    QCOMPARE(fixture.dataSet.FieldIndex(QStringLiteral("rus_upper")), -1);
    QCOMPARE(fixture.dataSet.Rows().Text(29, 1), u"рус30");
    QCOMPARE(fixture.dataSet.Rows().Text(29, 3), u"Медицина");
}

void tst_ClientDataSet::failedRefreshKeepsOldRows()
{
    TResultFixture fixture(20);
    fixture.Fill(8, true);
    fixture.dataSet.SetRecNo(6);
    // The fifth row's value overflows while the rows are being copied.
    fixture.Run(QStringLiteral("select id, rus, kaz, case when id = 5 then abs(-9223372036854775807 - 1) else cat end "
                               "from termin_items"));
    QSignalSpy filled(&fixture.dataSet, &TClientDataSet::Filled);
    QVERIFY_STORE_ERROR(fixture.dataSet.Refresh(), QStringLiteral("integer overflow"));
    QCOMPARE(filled.count(), 0);
    // The statement is let go at once, not at its next change.
    QVERIFY(!fixture.query.Active());
    QCOMPARE(fixture.dataSet.RecordCount(), 8);
    QCOMPARE(fixture.dataSet.RecNo(), 6);
    QCOMPARE(fixture.dataSet.Rows().Text(7, 1), u"рус8");
}

void tst_ClientDataSet::failedOpenStaysClosed()
{
    TResultFixture fixture(20);
    fixture.Run(QStringLiteral("select id, rus, kaz, case when id = 3 then abs(-9223372036854775807 - 1) else cat end "
                               "from termin_items"));
    QVERIFY_STORE_ERROR(fixture.dataSet.Open(), QStringLiteral("integer overflow"));
    QVERIFY(!fixture.dataSet.Active());
    QVERIFY(!fixture.query.Active());
    fixture.Run(QStringLiteral("select id, rus, kaz, cat from termin_items"));
    QVERIFY_STORE_ERROR(fixture.dataSet.Refresh(), ClosedSetError());
    QVERIFY(!fixture.query.Active());
}

void tst_ClientDataSet::closedSetRefuses()
{
    TResultFixture fixture(3);
    fixture.Run(QStringLiteral("select id, rus, kaz, cat from termin_items"));
    for (auto step : {&TClientDataSet::Refresh, &TClientDataSet::Last, &TClientDataSet::Next}) {
        QVERIFY_STORE_ERROR((fixture.dataSet.*step)(), ClosedSetError());
    }
    QCOMPARE(fixture.dataSet.RecordCount(), 0);
}

void tst_ClientDataSet::nullKeptThroughCopy()
{
    TResultFixture fixture(0, QStringLiteral("insert into termin_items values (1, 'вода', NULL, '', 'ВОДА', NULL);"));
    fixture.Fill(1, true);
    const TRowBuffer &rows = fixture.dataSet.Rows();
    QVERIFY(!rows.IsNull(0, 1));
    QVERIFY(rows.IsNull(0, 2));
    QVERIFY(!rows.IsNull(0, 3));
    QVERIFY(rows.Text(0, 3).isEmpty());
    fixture.Fill(1);
    QVERIFY(fixture.dataSet.Rows().IsNull(0, 2));
}

void tst_ClientDataSet::notifiesAfterFillAndMove()
{
    TResultFixture fixture(10);
    QSignalSpy about(&fixture.dataSet, &TClientDataSet::AboutToFill);
    QSignalSpy filled(&fixture.dataSet, &TClientDataSet::Filled);
    QSignalSpy moved(&fixture.dataSet, &TClientDataSet::Moved);
    fixture.Fill(10, true);
    fixture.dataSet.Next();
    fixture.dataSet.Last();
    fixture.dataSet.Last();
    fixture.Fill(4);
    QCOMPARE(about.count(), 2);
    QCOMPARE(filled.count(), 2);
    QCOMPARE(moved.count(), 2);
    QCOMPARE(moved.at(1).at(0).toInt(), 10);
    QCOMPARE(fixture.dataSet.RecNo(), 4);
}

void tst_ClientDataSet::furtherPackets()
{
    TResultFixture fixture(10);
    fixture.dataSet.PacketRecords = 3;
    fixture.Fill(10, true);
    QCOMPARE(fixture.dataSet.RecordCount(), 3);
    QVERIFY(!fixture.dataSet.Complete());
    // A packet adds rows at the end; it is not a refill.
    QSignalSpy appended(&fixture.dataSet, &TClientDataSet::Appended);
    QSignalSpy refilled(&fixture.dataSet, &TClientDataSet::AboutToFill);
    fixture.dataSet.SetRecNo(3);
    fixture.dataSet.Next();
    QCOMPARE(fixture.dataSet.RecordCount(), 6);
    QCOMPARE(fixture.dataSet.RecNo(), 4);
    fixture.dataSet.Last();
    QCOMPARE(fixture.dataSet.RecordCount(), 10);
    QCOMPARE(fixture.dataSet.RecNo(), 10);
    QVERIFY(fixture.dataSet.Complete());
    QCOMPARE(appended.count(), 3);
    QCOMPARE(appended.at(0).at(0).toInt(), 3);
    QCOMPARE(appended.at(1).at(0).toInt(), 3);
    QCOMPARE(appended.at(2).at(0).toInt(), 1);
    QCOMPARE(refilled.count(), 0);

    // A refill of an incomplete set asks for as many rows as it holds.
    TResultFixture partial(10);
    partial.dataSet.PacketRecords = 4;
    partial.Fill(10, true);
    partial.Fill(10);
    QCOMPARE(partial.dataSet.RecordCount(), 4);
    QVERIFY(!partial.dataSet.Complete());
    partial.Fill(2);
    QCOMPARE(partial.dataSet.RecordCount(), 2);
    QVERIFY(partial.dataSet.Complete());
}

QTEST_GUILESS_MAIN(tst_ClientDataSet)
#include "tst_clientdataset.moc"
