// The builder's logic below the window: one column per side when the user
// remaps, the captions of columns and sources, the preview grid's model and
// the closing summary.

#include "ColumnChoice.h"
#include "SummaryText.h"
#include "TPreviewModel.h"

#include <QAbstractItemModelTester>
#include <QTest>

using lexaran::builder::ColumnCaption;
using lexaran::builder::ColumnOf;
using lexaran::builder::SummaryText;
using lexaran::builder::TPreviewModel;
using lexaran::builder::TTermSide;
using lexaran::builder::WithColumn;
using lexaran::importer::TColumnMap;
using lexaran::importer::TImportSummary;
using lexaran::importer::TSourceInfo;
using lexaran::importer::TSourceKind;

Q_DECLARE_METATYPE(TTermSide)

class TestBuilderLogic : public QObject
{
    Q_OBJECT

private slots:
    void withColumn_data()
    {
        QTest::addColumn<int>("rus");
        QTest::addColumn<int>("kaz");
        QTest::addColumn<int>("cat");
        QTest::addColumn<TTermSide>("side");
        QTest::addColumn<int>("column");
        QTest::addColumn<QList<int>>("want");
        QTest::newRow("a free column is taken, the others stay") << 0 << 1 << 2 << TTermSide::Rus << 4 << QList{4, 1, 2};
        QTest::newRow("the Kazakh side's column swaps with Russian") << 0 << 1 << 2 << TTermSide::Rus << 1 << QList{1, 0, 2};
        QTest::newRow("the category takes the Russian column") << 0 << 1 << 2 << TTermSide::Cat << 0 << QList{2, 1, 0};
        QTest::newRow("the side's own column changes nothing") << 3 << 1 << 0 << TTermSide::Kaz << 1 << QList{3, 1, 0};
        QTest::newRow("remapped from the header's order") << 2 << 0 << 1 << TTermSide::Kaz << 2 << QList{0, 2, 1};
    }
    void withColumn()
    {
        QFETCH(int, rus);
        QFETCH(int, kaz);
        QFETCH(int, cat);
        QFETCH(TTermSide, side);
        QFETCH(int, column);
        QFETCH(QList<int>, want);
        const TColumnMap map = WithColumn(TColumnMap{.Rus = rus, .Kaz = kaz, .Cat = cat}, side, column);
        QCOMPARE((QList<int>{map.Rus, map.Kaz, map.Cat}), want);
        QCOMPARE(ColumnOf(map, side), column);
    }

    void columnCaption_data()
    {
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("want");
        QTest::newRow("a titled column") << QStringList{"Русский", "Kazakh"} << 1 << "2-баған: Kazakh";
        QTest::newRow("no header row") << QStringList{} << 0 << "1-баған";
        QTest::newRow("past the header's end") << QStringList{"ru"} << 2 << "3-баған";
        QTest::newRow("a blank title") << QStringList{"ru", "  "} << 1 << "2-баған";
    }
    void columnCaption()
    {
        QFETCH(QStringList, header);
        QFETCH(int, column);
        QFETCH(QString, want);
        QCOMPARE(ColumnCaption(header, column), want);
    }

    // The preview grid shows every column of the widest row, empty cells for
    // shorter rows, and titles each column by the side it feeds.
    void previewModel()
    {
        TPreviewModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        TSourceInfo info{.Kind = TSourceKind::DelimitedText,
                         .ColumnCount = 3,
                         .Header = {"Саласы", "Орысша", "Қазақша"},
                         .Columns = {.Rus = 1, .Kaz = 2, .Cat = 0},
                         .Preview = {{"Химия", "кислота", "қышқыл"}, {"Физика", "сила"}, {"", "a", "b", "артық"}}};
        model.SetSource(info);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.index(0, 2).data().toString(), QString("қышқыл"));
        QCOMPARE(model.index(1, 2).data().toString(), QString());
        QCOMPARE(model.index(2, 3).data().toString(), QString("артық"));
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Саласы\n1-баған: Саласы"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Орысша\n2-баған: Орысша"));
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QString("4-баған"));
        QVERIFY(!model.headerData(4, Qt::Horizontal).isValid());
        QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());

        model.SetColumns(WithColumn(info.Columns, TTermSide::Rus, 3));
        QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QString("Орысша\n4-баған"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("2-баған: Орысша"));

        // A TBX file has no columns to show.
        model.SetSource(TSourceInfo{.Kind = TSourceKind::Tbx, .ColumnCount = 3, .Preview = {{"a", "b", "c"}}});
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 0);
        model.SetSource(info);
        model.Clear();
        QCOMPARE(model.rowCount(), 0);
    }

    void summaryText()
    {
        TImportSummary summary;
        summary.TermsWritten = 1234567;
        summary.Skipped.push_back({.Reason = "орысша да, қазақша да мәтіні жоқ", .Count = 5, .FirstLines = {3, 9, 12}});
        summary.Skipped.push_back({.Reason = "қайталанған жол", .Count = 2, .FirstLines = {7, 8}});
        summary.UnknownCategories = {{"Астрология", 12}, {"Балет", 1003}};
        const QStringList lines = SummaryText(summary).split(u'\n');
        QCOMPARE(lines.value(0), QString("Сөздікке жазылған термин: 1 234 567"));
        QCOMPARE(lines.value(1), QString("Өткізіп жіберілген жол: 5 (орысша да, қазақша да мәтіні жоқ); жолдар: 3, 9, 12, …"));
        QCOMPARE(lines.value(2), QString("Өткізіп жіберілген жол: 2 (қайталанған жол); жолдар: 7, 8"));
        QVERIFY(lines.value(3).contains("«Барлық категория»"));
        QCOMPARE(lines.value(4).trimmed(), QString("Астрология — 12 термин"));
        QCOMPARE(lines.value(5).trimmed(), QString("Балет — 1 003 термин"));
        QCOMPARE(lines.size(), 6);

        TImportSummary clean;
        clean.TermsWritten = 3;
        QCOMPARE(SummaryText(clean), QString("Сөздікке жазылған термин: 3"));
    }
};

QTEST_GUILESS_MAIN(TestBuilderLogic)
#include "tst_builderlogic.moc"
