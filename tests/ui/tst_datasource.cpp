#include "StoreFixture.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TDataSource.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A model over a result set of `terms` fixture rows, given its columns.
struct TSourceFixture : TStoreFixture
{
    explicit TSourceFixture(int terms) : TStoreFixture(TermTableSql(terms))
    {
        source.SetDataSet(&dataSet);
    }

    void Fill(bool open)
    {
        Run(QStringLiteral("select id, rus, kaz, cat from termin_items"));
        open ? dataSet.Open() : dataSet.Refresh();
    }

    TDataSetProvider provider{&query};
    TClientDataSet dataSet{&provider};
    TDataSource source;
    // Made by each test once the set is open: the tester fetches more rows
    // itself while a reset is still being announced, which a view never does.
    std::unique_ptr<QAbstractItemModelTester> tester;

    void Test()
    {
        tester = std::make_unique<QAbstractItemModelTester>(&source, QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
};

} // namespace

class tst_DataSource : public QObject
{
    Q_OBJECT

private slots:
    void columnsAreTheCallers();
    void packetIsAnInsertion();
    void refillIsAReset();
};

void tst_DataSource::columnsAreTheCallers()
{
    TSourceFixture fixture(4);
    fixture.source.SetColumns({{QStringLiteral("cat"), QStringLiteral("Саласы")},
                               {QStringLiteral("RUS"), QStringLiteral("Орысша")},
                               {QStringLiteral("nope"), QStringLiteral("Жоқ")}});
    fixture.Fill(true);
    fixture.Test();
    QCOMPARE(fixture.source.columnCount(), 3);
    QCOMPARE(fixture.source.rowCount(), 4);
    QCOMPARE(fixture.source.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Саласы"));
    QCOMPARE(fixture.source.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Жоқ"));
    QVERIFY(!fixture.source.headerData(3, Qt::Horizontal).isValid());
    // Bound by field name, letter case aside; an unknown field shows nothing.
    QCOMPARE(fixture.source.index(0, 0).data().toString(), QStringLiteral("Химия"));
    QCOMPARE(fixture.source.index(1, 1).data().toString(), QStringLiteral("рус2"));
    QVERIFY(!fixture.source.index(1, 2).data().isValid());
    QVERIFY(!fixture.source.index(4, 0).data().isValid());
    // The set's id is held but shown only where a column asks for it.
    QCOMPARE(fixture.dataSet.Fields().size(), std::size_t(4));
}

void tst_DataSource::packetIsAnInsertion()
{
    TSourceFixture fixture(7);
    fixture.source.SetColumns({{QStringLiteral("rus"), QStringLiteral("Орысша")}});
    fixture.dataSet.PacketRecords = 3;
    fixture.Fill(true);
    QCOMPARE(fixture.source.rowCount(), 3);

    QSignalSpy inserted(&fixture.source, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&fixture.source, &QAbstractItemModel::modelReset);
    QVERIFY(fixture.source.canFetchMore(QModelIndex()));
    fixture.source.fetchMore(QModelIndex());
    QCOMPARE(fixture.source.rowCount(), 6);
    fixture.Test();
    fixture.source.fetchMore(QModelIndex());
    QCOMPARE(fixture.source.rowCount(), 7);
    QVERIFY(!fixture.source.canFetchMore(QModelIndex()));

    QCOMPARE(reset.count(), 0);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(inserted.at(0).at(1).toInt(), 3);
    QCOMPARE(inserted.at(0).at(2).toInt(), 5);
    QCOMPARE(inserted.at(1).at(1).toInt(), 6);
    QCOMPARE(inserted.at(1).at(2).toInt(), 6);
    QCOMPARE(fixture.source.index(6, 0).data().toString(), QStringLiteral("рус7"));
}

void tst_DataSource::refillIsAReset()
{
    TSourceFixture fixture(5);
    fixture.source.SetColumns({{QStringLiteral("kaz"), QStringLiteral("Қазақша")}});
    fixture.Fill(true);
    fixture.Test();
    QSignalSpy reset(&fixture.source, &QAbstractItemModel::modelReset);
    QSignalSpy refilled(&fixture.source, &TDataSource::Refilled);
    fixture.dataSet.SetRecNo(4);
    fixture.Fill(false);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(refilled.count(), 1);
    QCOMPARE(refilled.at(0).at(0).toInt(), 3);
    QCOMPARE(fixture.source.CurrentRow(), 3);
}

QTEST_GUILESS_MAIN(tst_DataSource)
#include "tst_datasource.moc"
