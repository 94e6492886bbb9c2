// What the engine hears: its own statement trace (sqlite3_trace_v2), hooked
// into every connection the program opens, over start-up, a search, Show all
// and a search without rows.

#include "ErrorBoxRecorder.h"
#include "TDBGrid.h"
#include "TEdit.h"
#include "TRadioGroup.h"
#include "TermFile.h"
#include "Unit1.h"

#include <QComboBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <memory>

using lexaran::tools::TTextEncoding;
using lexaran::tools::WriteTermDatabase;

namespace {

QStringList gStatements;

int RecordStatement(unsigned, void *, void *, void *text)
{
    gStatements.append(QString::fromUtf8(static_cast<const char *>(text)));
    return 0;
}

// Runs for every connection opened while it is registered: the program's
// connection is traced from its first statement on.
int TraceConnection(sqlite3 *db, const char **, const sqlite3_api_routines *)
{
    return sqlite3_trace_v2(db, SQLITE_TRACE_STMT, RecordStatement, nullptr);
}

} // namespace

class tst_StatementTrace : public QObject
{
    Q_OBJECT

private slots:
    void engineHearsOnlyTheStatements_data();
    void engineHearsOnlyTheStatements();
};

void tst_StatementTrace::engineHearsOnlyTheStatements_data()
{
    QTest::addColumn<int>("encoding");
    QTest::newRow("UTF-8 file") << int(TTextEncoding::Utf8);
    QTest::newRow("UTF-16 file") << int(TTextEncoding::Utf16);
}

// Every statement the engine starts, nested ones included, is one of the
// start-up, search and Show all texts or a count statement derived from
// them, in the order the window runs them, and nothing else.
void tst_StatementTrace::engineHearsOnlyTheStatements()
{
    QFETCH(int, encoding);
    QTemporaryDir directory;
    WriteTermDatabase(directory.filePath(QStringLiteral("termins.db")),
                      {{QStringLiteral("город"), QStringLiteral("қала"), QStringLiteral("Тарих")},
                       {QStringLiteral("река"), QStringLiteral("өзен"), QStringLiteral("Экология")}},
                      TTextEncoding(encoding));
    gStatements.clear();
    const auto entry = reinterpret_cast<void (*)()>(TraceConnection);
    QCOMPARE(sqlite3_auto_extension(entry), SQLITE_OK);
    const auto unhook = qScopeGuard([&] { sqlite3_cancel_auto_extension(entry); });

    TErrorBoxRecorder boxes;
    TForm1 form(directory.path() + QLatin1Char('/'));
    QCOMPARE(form.DBGrid1->model()->rowCount(), 2);

    form.Edit1->setText(QStringLiteral("қала"));
    form.BitBtn1->click();
    QCOMPARE(form.DBGrid1->model()->rowCount(), 1);

    form.BitBtn2->click();
    QCOMPARE(form.DBGrid1->model()->rowCount(), 2);

    form.Edit1->setText(QStringLiteral("жоқ"));
    form.RadioGroup1->SetItemIndex(mkEquals);
    form.RadioGroup2->SetItemIndex(sfKazakh);
    form.BitBtn1->click();
    QCOMPARE(form.DBGrid1->model()->rowCount(), 0);
    QCOMPARE(boxes.Texts(), QStringList());

    const QStringList expected = {
        QStringLiteral("select id, rus, kaz, cat from termin_items limit 1000\r\n"),
        QStringLiteral("select count(*) from \"termin_items\""),
        QStringLiteral("select id, rus, kaz, cat from termin_items\r\n"
                       " where (upper(rus_upper)  like '%ҚАЛА%' or upper(kaz_upper)  like '%ҚАЛА%')\r\n"
                       "limit 1000\r\n"),
        QStringLiteral("select count(*) from \"termin_items\""
                       " where (upper(rus_upper)  like '%ҚАЛА%' or upper(kaz_upper)  like '%ҚАЛА%')\r\n"
                       "limit 1000"),
        QStringLiteral("select * from termin_items\r\n"),
        QStringLiteral("select id, rus, kaz, cat from termin_items\r\n"
                       " where upper(kaz_upper)  = 'ЖОҚ'\r\n"
                       "limit 1000\r\n"),
        QStringLiteral("select count(*) from \"termin_items\" where upper(kaz_upper)  = 'ЖОҚ'\r\n"
                       "limit 1000"),
    };
    QCOMPARE(gStatements, expected);
}

QTEST_MAIN(tst_StatementTrace)
#include "tst_statementtrace.moc"
