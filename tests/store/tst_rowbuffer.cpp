#include "SqliteApi.h"
#include "StoreErrorCheck.h"
#include "StoreFixture.h"
#include "TDataSetProvider.h"
#include "TRowBuffer.h"

#include <QScopeGuard>
#include <QTest>

#include <sqlite3.h>

#include <random>

using namespace lexaran::store;

namespace {

// Text values that the engine must translate and the store must cut the
// engine's way: well-formed Cyrillic, Kazakh and emoji as text, then bytes
// cast to text, which in a UTF-8 file are malformed UTF-8 (stray
// continuation bytes, overlong forms, encoded surrogates, code points beyond
// U+10FFFF, non-characters, cut-off sequences, embedded NUL) and in a UTF-16
// file lone surrogates and odd lengths.
const char *const kTexts[] = {"''", "'су'", "'қысқа'", "'abc😀'", "'😀😁'", "'ab😀c'"};
const char *const kBytes[] = {
    "80",             // stray continuation byte
    "c080",           // overlong NUL
    "eda080",         // an encoded high surrogate
    "f4908080",       // beyond U+10FFFF
    "f8888080808061", // a five-byte form
    "efbfbe",         // U+FFFE
    "efbfbf",         // U+FFFF
    "e282",           // a cut-off sequence
    "f09f98",         // a cut-off emoji
    "c2808080",       // too many continuation bytes
    "ff61fe",         // bytes that never begin a character
    "610062",         // embedded NUL
};

// A table whose text columns hold the values above, a few random byte
// strings from a fixed seed, NULL, numbers and bytes: s is cut at 3
// characters, m is long text.
QString ValueTableSql(const QString &encoding)
{
    QString sql = QStringLiteral("pragma encoding = '%1';"
                                 "create table t (id INTEGER PRIMARY KEY, s VARCHAR(3), m TEXT); begin;").arg(encoding);
    auto insert = [&](const QString &value) {
        sql += QStringLiteral("insert into t (s, m) values (%1, %1);").arg(value);
    };
    // The first row is text, so s is typed as text of at most 3 characters.
    for (const char *text : kTexts)
        insert(QString::fromUtf8(text));
    for (const char *hex : kBytes)
        insert(QStringLiteral("cast(x'%1' as text)").arg(QLatin1String(hex)));
    std::mt19937 random(20261210);
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes(qsizetype(random() % 9), Qt::Uninitialized);
        for (char &byte : bytes) {
            // Mostly bytes that begin or continue sequences.
            const unsigned pick = random() % 4;
            byte = char(pick == 0 ? random() % 0x80 : 0x80 + random() % 0x80);
        }
        insert(QStringLiteral("cast(x'%1' as text)").arg(QLatin1String(bytes.toHex())));
    }
    insert(QStringLiteral("NULL"));
    insert(QStringLiteral("42"));
    insert(QStringLiteral("-1.5"));
    insert(QStringLiteral("x'd0b0'"));
    return sql + QStringLiteral("commit;");
}

std::vector<TFieldDef> TextFields()
{
    return {TFieldDef{QStringLiteral("id"), fkInteger},
            TFieldDef{QStringLiteral("s"), fkString, 3},
            TFieldDef{QStringLiteral("m"), fkMemo}};
}

} // namespace

class tst_RowBuffer : public QObject
{
    Q_OBJECT

private slots:
    void cellsAsTheEngineGivesThem_data();
    void cellsAsTheEngineGivesThem();
    void textCutForDisplay_data();
    void textCutForDisplay();
    void columnTooLargeKeepsWholeRows_data();
    void columnTooLargeKeepsWholeRows();
};

void tst_RowBuffer::cellsAsTheEngineGivesThem_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("engineTells");
    QTest::addColumn<int>("form");
    const QString byId = QStringLiteral("id");
    QTest::newRow("UTF-8 file, held as UTF-8") << QStringLiteral("UTF-8") << byId << true << int(tfUtf8);
    QTest::newRow("UTF-16 file, held as UTF-16") << QStringLiteral("UTF-16le") << byId << true << int(tfUtf16);
    // Rows of NULLs tell nothing; the first TEXT after them tells.
    QTest::newRow("UTF-8 file, NULL rows first") << QStringLiteral("UTF-8") << QStringLiteral("m is not null, id") << true << int(tfUtf8);
    // Bytes and numbers come before any TEXT: UTF-16 reads them as the engine does.
    QTest::newRow("UTF-8 file, bytes first") << QStringLiteral("UTF-8") << QStringLiteral("id desc") << true << int(tfUtf16);
    QTest::newRow("UTF-8 file, engine that cannot tell") << QStringLiteral("UTF-8") << byId << false << int(tfUtf16);
    QTest::newRow("UTF-16 file, engine that cannot tell") << QStringLiteral("UTF-16le") << byId << false << int(tfUtf16);
}

// Every cell reads exactly as the engine's own UTF-16 text of the value, cut
// to the field's size, whatever form the rows are held in; NULL stays NULL
// and the empty text stays empty. The form is the engine's own for the
// file, told by the first TEXT value.
void tst_RowBuffer::cellsAsTheEngineGivesThem()
{
    QFETCH(QString, encoding);
    QFETCH(QString, order);
    QFETCH(bool, engineTells);
    QFETCH(int, form);
    TStoreFixture fixture(ValueTableSql(encoding));
    const QString statement = QStringLiteral("select id, s, m from t order by ") + order;
    fixture.Run(QStringLiteral("select id, s, m from t order by id"));
    QCOMPARE(fixture.query.Fields()[1].Kind, fkString);
    fixture.Run(statement);

    // As an engine before 3.40.0 would be: without sqlite3_value_encoding.
    const TSqliteApi saved = Sqlite();
    if (!engineTells)
        gSqlite->value_encoding = nullptr;
    const auto restore = qScopeGuard([&] { gSqlite = saved; });
    TDataSetProvider provider(&fixture.query);
    TRowBuffer rows(TextFields());
    const int copied = provider.GetRecords(rows, -1);
    QCOMPARE(rows.TextForm(), TTextForm(form));
    QCOMPARE(copied, rows.RowCount());

    // The engine's own reading, value by value, is the reference.
    fixture.Run(statement);
    int row = 0;
    for (; fixture.query.Fetch(); ++row) {
        QVERIFY(row < rows.RowCount());
        QCOMPARE(rows.Integer(row, 0), fixture.query.Integer(0));
        for (int field = 1; field <= 2; ++field) {
            QCOMPARE(rows.IsNull(row, field), fixture.query.IsNull(field));
            if (rows.IsNull(row, field))
                continue;
            QCOMPARE(rows.Text(row, field), fixture.query.Text(field).toString());
        }
    }
    QCOMPARE(row, rows.RowCount());
    QVERIFY(row > 200);
    if (order != QLatin1String("id"))
        return;
    QVERIFY(rows.IsNull(row - 4, 1));
    QVERIFY(!rows.IsNull(0, 1));
    QCOMPARE(rows.Text(0, 1), QString());
    QCOMPARE(rows.Text(2, 1), QStringLiteral("қыс"));
    QCOMPARE(rows.Text(3, 2), QStringLiteral("abc\U0001F600"));
    QCOMPARE(rows.Text(3, 1), QStringLiteral("abc"));
    QCOMPARE(rows.Text(4, 1), QStringLiteral("\U0001F600"));
    QCOMPARE(rows.Text(5, 1), QStringLiteral("ab"));
    QCOMPARE(rows.Text(5, 2), QStringLiteral("ab\U0001F600c"));
}

void tst_RowBuffer::textCutForDisplay_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("cut");
    for (const int form : {int(tfUtf8), int(tfUtf16)}) {
        const char *name = form == tfUtf8 ? "UTF-8" : "UTF-16";
        QTest::addRow("%s, shorter than the limit", name) << form << QStringLiteral("сөз") << 5 << QStringLiteral("сөз") << false;
        QTest::addRow("%s, exactly the limit", name) << form << QStringLiteral("сөз") << 3 << QStringLiteral("сөз") << false;
        QTest::addRow("%s, one over", name) << form << QStringLiteral("сөзі") << 3 << QStringLiteral("сөз") << true;
        QTest::addRow("%s, pair across the limit", name) << form << QStringLiteral("ab\U0001F600") << 3 << QStringLiteral("ab") << true;
        QTest::addRow("%s, pair inside the limit", name) << form << QStringLiteral("ab\U0001F600c") << 4 << QStringLiteral("ab\U0001F600") << true;
        QTest::addRow("%s, no limit", name) << form << QStringLiteral("ab\U0001F600c") << -1 << QStringLiteral("ab\U0001F600c") << false;
        QTest::addRow("%s, limit 0", name) << form << QStringLiteral("a") << 0 << QString() << true;
    }
}

void tst_RowBuffer::textCutForDisplay()
{
    QFETCH(int, form);
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QString, shown);
    QFETCH(bool, cut);
    TRowBuffer rows({TFieldDef{QStringLiteral("m"), fkMemo}});
    rows.SetTextForm(TTextForm(form));
    const QByteArray utf8 = text.toUtf8();
    // A row before it, so the value does not start at offset 0.
    for (int i = 0; i < 2; ++i) {
        form == tfUtf8 ? rows.AppendText(0, QByteArrayView(utf8)) : rows.AppendText(0, QStringView(text));
        rows.EndRow();
    }
    bool wasCut = !cut;
    QCOMPARE(rows.Text(1, 0, limit, &wasCut), shown);
    QCOMPARE(wasCut, cut);
}

void tst_RowBuffer::columnTooLargeKeepsWholeRows_data()
{
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<quint64>("limit");
    // "абв" is 6 bytes of UTF-8 or 3 units of UTF-16; the limit lets two
    // rows in and not the third.
    QTest::newRow("UTF-8") << QStringLiteral("UTF-8") << quint64(15);
    QTest::newRow("UTF-16") << QStringLiteral("UTF-16le") << quint64(8);
}

// A column whose text outgrows what its offsets address gives one error and
// leaves the rows that arrived whole, never a wrong cell; the buffer then
// takes further rows in step.
void tst_RowBuffer::columnTooLargeKeepsWholeRows()
{
    QFETCH(QString, encoding);
    QFETCH(quint64, limit);
    TStoreFixture fixture(QStringLiteral("pragma encoding = '%1';"
                                         "create table t (id INTEGER PRIMARY KEY, a TEXT, b TEXT);"
                                         "insert into t (a, b) values ('x', 'абв'), ('y', 'абв'), ('z', 'абв');").arg(encoding));
    fixture.Run(QStringLiteral("select id, a, b from t order by id"));
    TDataSetProvider provider(&fixture.query);
    TRowBuffer rows({TFieldDef{QStringLiteral("id"), fkInteger}, TFieldDef{QStringLiteral("a"), fkMemo},
                     TFieldDef{QStringLiteral("b"), fkMemo}},
                    limit);
    QVERIFY_STORE_ERROR_CODE(provider.GetRecords(rows, -1), QStringLiteral("string or blob too big"), SQLITE_TOOBIG);
    QCOMPARE(rows.RowCount(), 2);
    QCOMPARE(rows.Integer(1, 0), 2);
    QCOMPARE(rows.Text(1, 1), QStringLiteral("y"));
    QCOMPARE(rows.Text(1, 2), QStringLiteral("абв"));

    // The third row's id and first text were taken back with it.
    rows.AppendInteger(0, 7);
    rows.AppendNull(1);
    rows.AppendNull(2);
    rows.EndRow();
    QCOMPARE(rows.RowCount(), 3);
    QCOMPARE(rows.Integer(2, 0), 7);
    QVERIFY(rows.IsNull(2, 1));
    QVERIFY(rows.Text(2, 1).isEmpty());
    QVERIFY(rows.IsNull(2, 2));
    QVERIFY(!rows.IsNull(1, 2));
    QCOMPARE(rows.Text(1, 2), QStringLiteral("абв"));
}

QTEST_GUILESS_MAIN(tst_RowBuffer)
#include "tst_rowbuffer.moc"
