#include "FixtureDb.h"
#include "FormFixture.h"
#include "ImportCommand.h"
#include "ImportFixtures.h"
#include "TermImport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace lexaran::importer;

namespace {

// Every name in the directory, hidden ones included.
QStringList DirectoryEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// "rus|kaz|cat" per expected term, with the capitals the table must hold.
QStringList Expected(const QStringList &terms)
{
    QStringList rows;
    for (int i = 0; i < terms.size(); ++i) {
        const QStringList parts = terms[i].split(u'|');
        rows << QStringLiteral("%1|%2|%3|%4|%5|%6")
                    .arg(i + 1)
                    .arg(parts[0], parts[1], parts[2], parts[0].toUpper(), parts[1].toUpper());
    }
    return rows;
}

QString RefusalOf(const QString &input, const QString &output)
{
    try {
        Import(input, output);
    } catch (const TImportError &error) {
        return QString::fromUtf8(error.what());
    } catch (const std::exception &error) {
        return QStringLiteral("not a TImportError: ") + QString::fromUtf8(error.what());
    }
    return QStringLiteral("no refusal");
}

const QString kTbxV2 = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE martif SYSTEM \"TBXBasiccoreStructV02.dtd\">\n"
    "<martif type=\"TBX-Basic\" xml:lang=\"en\"><martifHeader><fileDesc><sourceDesc><p>тест</p></sourceDesc>"
    "</fileDesc></martifHeader><text><body>\n"
    "<termEntry id=\"c1\"><descrip type=\"subjectField\">Химия</descrip>\n"
    "<langSet xml:lang=\"ru\"><tig><term>кислота</term></tig></langSet>\n"
    "<langSet xml:lang=\"kk-KZ\"><tig><term>қышқыл</term></tig><ntig><termGrp><term>қышқыл зат</term></termGrp></ntig></langSet>\n"
    "<langSet xml:lang=\"en\"><tig><term>acid</term></tig></langSet></termEntry>\n"
    "<termEntry id=\"c2\"><langSet xml:lang=\"ru\"><descrip type=\"subjectField\">Заңтану</descrip>"
    "<tig><term>право</term></tig></langSet><langSet xml:lang=\"kk\"><tig><term>құқық</term></tig></langSet></termEntry>\n"
    "</body></text></martif>\n");

const QString kTbxV3 = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<tbx type=\"TBX-Basic\" style=\"dca\" xml:lang=\"ru\" xmlns=\"urn:iso:std:iso:30042:ed-2\">"
    "<tbxHeader><fileDesc><sourceDesc><p>тест</p></sourceDesc></fileDesc></tbxHeader><text><body>\n"
    "<conceptEntry id=\"c1\"><descrip type=\"subjectField\">Информатика және есептеуіш техника</descrip>\n"
    "<langSec xml:lang=\"ru-RU\"><termSec><term>файл</term></termSec></langSec>\n"
    "<langSec xml:lang=\"kk-Cyrl\"><termSec><term>файл</term></termSec></langSec></conceptEntry>\n"
    "<conceptEntry id=\"c2\"><langSec xml:lang=\"ru\"><termSec><term>сеть &amp; связь</term></termSec></langSec>"
    "<langSec xml:lang=\"kk-Cyrl-KZ\"><termSec><term>желі</term></termSec></langSec></conceptEntry>\n"
    "</body></text></tbx>\n");

} // namespace

class tst_TermImport : public QObject
{
    Q_OBJECT

private slots:
    void imports_data();
    void imports();
    void inspects_data();
    void inspects();
    void refuses_data();
    void refuses();
    void summary();
    void declaredLengthHoldsLongest();
    void cancelLeavesNothing();
    void followsLink();
    void columnsArgument_data();
    void columnsArgument();
    void command_data();
    void command();
    void commandStoppedLeavesOldFile();
    void sampleDictionary();
};

void tst_TermImport::imports_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("terms");
    QTest::addColumn<QString>("found"); // a Kazakh word the program must find

    QTest::newRow("csv-quoted-breaks-quotes-separators")
        << "terms.csv"
        << QByteArray("\xD0\x9E\xD1\x80\xD1\x8B\xD1\x81\xD1\x88\xD0\xB0,Kazakh,Category\r\n") +
               QStringLiteral("\"город, большой\",\"үлкен \"\"қала\"\"\",Тарих\r\n"
                              "\"дорога\nдлинная\",  ұзын жол  ,\"Тарих\"\r\n"
                              "право;закон,құқық;заң,Заңтану\n")
                   .toUtf8()
        << QStringList{u"город, большой|үлкен \"қала\"|Тарих"_qs, u"дорога\nдлинная|ұзын жол|Тарих"_qs,
                       u"право;закон|құқық;заң|Заңтану"_qs}
        << u"ұзын"_qs;
    QTest::newRow("csv-utf8-bom-semicolon-excel")
        << "terms.csv"
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("Русский;Казахский;Отрасль\r\nгород;қала;Сәулет және құрылыс\r\n"
                                                       "\"закон; право\";заң;Заңтану\r\n").toUtf8()
        << QStringList{u"город|қала|Сәулет және құрылыс"_qs, u"закон; право|заң|Заңтану"_qs} << u"қала"_qs;
    QTest::newRow("unicode-text-utf16le-tabs")
        << "terms.txt"
        << Utf16Bytes(QStringLiteral("Қазақша\tОрысша\tСаласы\r\nтүйін\tузел\tФизика\r\n\"екі\tсөз\"\tдва слова\tФизика\r\n"), false)
        << QStringList{u"узел|түйін|Физика"_qs, u"два слова|екі\tсөз|Физика"_qs} << u"түйін"_qs;
    QTest::newRow("utf16be-bom")
        << "terms.tsv" << Utf16Bytes(QStringLiteral("ru\tkk\nнебо\tаспан\n"), true)
        << QStringList{u"небо|аспан|"_qs} << u"аспан"_qs;
    QTest::newRow("sep-line-names-separator")
        << "terms.csv" << QStringLiteral("sep=,\nгора;вершина,тау;шың,География\n").toUtf8()
        << QStringList{u"гора;вершина|тау;шың|География"_qs} << u"шың"_qs;
    QTest::newRow("windows1251-letters-all-there")
        << "terms.csv" << Windows1251Bytes(QStringLiteral("Русский;Казахский;Категория\r\nвода;су;Химия\r\nмама;ана;Тарих\r\n"))
        << QStringList{u"вода|су|Химия"_qs, u"мама|ана|Тарих"_qs} << u"ана"_qs;
    QTest::newRow("no-header-first-three-columns")
        << "terms.csv" << QStringLiteral("вода,су,Химия,лишнее\nогонь,от,Физика,ещё\n").toUtf8()
        << QStringList{u"вода|су|Химия"_qs, u"огонь|от|Физика"_qs} << u"от"_qs;
    QTest::newRow("header-under-a-title-row")
        << "terms.csv" << QStringLiteral("Терминдер тізімі,,\nСаласы,Қазақша,Орысша\nХимия,су,вода\n").toUtf8()
        << QStringList{u"вода|су|Химия"_qs} << u"су"_qs;
    QTest::newRow("xlsx-shared-inline-numeric-category")
        << "terms.xlsx"
        << XlsxBytes({{u"s:Орысша"_qs, u"s:Қазақша"_qs, u"s:Саласы"_qs},
                      {u"s:год"_qs, u"i:жыл & ай"_qs, u"n:1993"_qs},
                      {u"s: город "_qs, u"s:қала"_qs, u"n:2.5"_qs},
                      {},
                      {u"s:вода"_qs, u"s:су"_qs, u"s:"_qs},
                      {u"s:право"_qs, u"s:құқық"_qs, u"s:Заңтану"_qs}},
                     {u"Терминдер"_qs, u"Басқа"_qs})
        << QStringList{u"год|жыл & ай|1993"_qs, u"город|қала|2.5"_qs, u"вода|су|"_qs, u"право|құқық|Заңтану"_qs}
        << u"құқық"_qs;
    QTest::newRow("ods-numeric-category-spaces-repeats")
        << "terms.ods"
        << OdsBytes({{u"s:Орысша"_qs, u"s:Қазақша"_qs, u"s:Саласы"_qs},
                     {u"s:год"_qs, u"s:жыл  сайын"_qs, u"n:1993"_qs},
                     {u"s:право"_qs, u"s:құқық"_qs, u"s:Заңтану"_qs}})
        << QStringList{u"год|жыл  сайын|1993"_qs, u"право|құқық|Заңтану"_qs} << u"сайын"_qs;
    QTest::newRow("tbx-v2-ru-kk-KZ-kk") << "terms.tbx" << kTbxV2.toUtf8()
        << QStringList{u"кислота|қышқыл|Химия"_qs, u"кислота|қышқыл зат|Химия"_qs, u"право|құқық|Заңтану"_qs}
        << u"қышқыл зат"_qs;
    QTest::newRow("tbx-v3-ru-RU-kk-Cyrl") << "terms.tbx" << kTbxV3.toUtf8()
        << QStringList{u"файл|файл|Информатика және есептеуіш техника"_qs, u"сеть & связь|желі|"_qs} << u"желі"_qs;
    // The kind is told by the content: an Excel workbook named .csv.
    QTest::newRow("xlsx-named-csv") << "terms.csv" << XlsxBytes({{u"s:вода"_qs, u"s:су"_qs}})
        << QStringList{u"вода|су|"_qs} << u"су"_qs;
}

void tst_TermImport::imports()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, terms);
    QFETCH(QString, found);

    QTemporaryDir directory;
    const QString input = directory.filePath(name);
    QVERIFY(WriteFile(input, bytes));
    TFormFixture fixture;
    const TImportSummary summary = Import(input, fixture.Path());
    QCOMPARE(summary.TermsWritten, terms.size());
    QCOMPARE(TermRows(fixture.Path()), Expected(terms));

    // The program opens it as its own and finds the term.
    fixture.Open();
    QCOMPARE(fixture.Boxes(), QStringList());
    QCOMPARE(fixture.GridRows(), terms.size());
    // Found by its capitals, as the search compares them.
    fixture.Search(found.toUpper(), mkContains, sfKazakh);
    QCOMPARE(fixture.Boxes(), QStringList());
    QVERIFY(fixture.GridRows() >= 1);
    QVERIFY2(fixture.Cell(0, 1).contains(found), qPrintable(fixture.Cell(0, 1)));
}

void tst_TermImport::inspects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QStringList>("sheets");
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<QStringList>("firstRow");

    QTest::newRow("csv-semicolon-header")
        << QStringLiteral("Category;Kazakh;Russian\nХимия;су;вода\n").toUtf8() << int(TSourceKind::DelimitedText)
        << int(TTextEncoding::Utf8) << ";" << QStringList{u"Category"_qs, u"Kazakh"_qs, u"Russian"_qs} << QStringList()
        << QList<int>{2, 1, 0} << QStringList{u"Химия"_qs, u"су"_qs, u"вода"_qs};
    QTest::newRow("windows1251-tab")
        << Windows1251Bytes(QStringLiteral("вода\tсу\nогонь\tот\n")) << int(TSourceKind::DelimitedText)
        << int(TTextEncoding::Windows1251) << "\t" << QStringList() << QStringList() << QList<int>{0, 1, -1}
        << QStringList{u"вода"_qs, u"су"_qs};
    QTest::newRow("xlsx-sheets-in-workbook-order")
        << XlsxBytes({{u"s:Орысша"_qs, u"s:Қазақша"_qs}, {u"s:вода"_qs, u"s:су"_qs}}, {u"Бірінші"_qs, u"Екінші"_qs})
        << int(TSourceKind::Xlsx) << int(TTextEncoding::Utf8) << "" << QStringList{u"Орысша"_qs, u"Қазақша"_qs}
        << QStringList{u"Бірінші"_qs, u"Екінші"_qs} << QList<int>{0, 1, -1} << QStringList{u"вода"_qs, u"су"_qs};
    QTest::newRow("ods") << OdsBytes({{u"s:вода"_qs, u"s:су"_qs, u"n:7"_qs}}, {u"А"_qs, u"Ә"_qs})
        << int(TSourceKind::Ods) << int(TTextEncoding::Utf8) << "" << QStringList() << QStringList{u"А"_qs, u"Ә"_qs}
        << QList<int>{0, 1, 2} << QStringList{u"вода"_qs, u"су"_qs, u"7"_qs};
    QTest::newRow("tbx") << kTbxV3.toUtf8() << int(TSourceKind::Tbx) << int(TTextEncoding::Utf8) << ""
        << QStringList() << QStringList() << QList<int>{0, 1, 2}
        << QStringList{u"файл"_qs, u"файл"_qs, u"Информатика және есептеуіш техника"_qs};
}

void tst_TermImport::inspects()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("list"));
    QVERIFY(WriteFile(input, bytes));
    const TSourceInfo info = Inspect(input);
    QTEST(int(info.Kind), "kind");
    if (info.Kind == TSourceKind::DelimitedText) {
        QTEST(int(info.Encoding), "encoding");
        QTEST(QString(info.Separator), "separator");
    }
    QTEST(info.Header, "header");
    QTEST(info.Sheets, "sheets");
    QTEST((QList<int>{info.Columns.Rus, info.Columns.Kaz, info.Columns.Cat}), "columns");
    QVERIFY(!info.Preview.empty());
    QTEST(info.Preview.front(), "firstRow");
    QVERIFY(DirectoryEntries(directory.path()) == QStringList{u"list"_qs});
}

void tst_TermImport::refuses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("mentions");

    const QByteArray xlsx = XlsxBytes({{u"s:вода"_qs, u"s:су"_qs}});
    QTest::newRow("windows1251-lost-letters")
        << "excel.csv"
        << Windows1251Bytes(QStringLiteral("Русский;Казахский;Категория\r\nвода;су;Химия\r\nгород;қала;Тарих\r\n"))
        << QStringList{u"excel.csv, 3-жол"_qs, u"?ала"_qs, u"«CSV UTF-8»"_qs, u"«Unicode text»"_qs, u".xlsx"_qs};
    QTest::newRow("utf8-lost-letters-after-conversion")
        << "twice.csv" << QStringLiteral("вода,су\nберег,жаға\nсоль,т??з\n").toUtf8()
        << QStringList{u"twice.csv, 3-жол"_qs, u"т??з"_qs};
    QTest::newRow("xlsx-lost-letters")
        << "sheet.xlsx" << XlsxBytes({{u"s:Орысша"_qs, u"s:Қазақша"_qs}, {u"s:город"_qs, u"s:?ала"_qs}})
        << QStringList{u"sheet.xlsx, «Парақ1» парағы, 2-жол"_qs};
    QTest::newRow("one-column") << "one.csv" << QStringLiteral("вода\nогонь\n").toUtf8()
        << QStringList{u"one.csv"_qs, u"--columns"_qs};
    QTest::newRow("damaged-zip-truncated") << "cut.xlsx" << xlsx.left(xlsx.size() / 2)
        << QStringList{u"cut.xlsx"_qs, u"бүлінген"_qs};
    QByteArray flipped = xlsx;
    flipped[flipped.indexOf("xl/worksheets") + 60] = char(flipped[flipped.indexOf("xl/worksheets") + 60] ^ 0x55);
    QTest::newRow("damaged-zip-flipped-byte") << "flip.xlsx" << flipped << QStringList{u"flip.xlsx"_qs, u"бүлінген"_qs};
    QTest::newRow("zip-not-a-sheet") << "other.zip" << ZipBytes({{u"readme.txt"_qs, QByteArray("hello")}})
        << QStringList{u"other.zip"_qs, u".xlsx"_qs};
    QTest::newRow("damaged-tbx") << "cut.tbx" << kTbxV2.toUtf8().left(kTbxV2.toUtf8().indexOf("<termEntry id=\"c2\"") + 30)
        << QStringList{u"cut.tbx, "_qs, u"-жол"_qs, u"TBX"_qs};
    QTest::newRow("old-xls") << "old.xls" << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(500, '\0')
        << QStringList{u"old.xls"_qs, u".xlsx"_qs};
    QTest::newRow("utf8-broken-mid-file")
        << "mixed.csv" << QByteArray(2000, 'a') + QByteArray("\nвода,су\n") + QByteArray(300000, 'b') + "\n\xFF\xFE,x\n"
        << QStringList{u"mixed.csv, 4-жол"_qs, u"UTF-8"_qs};
    QTest::newRow("missing-input") << "" << QByteArray() << QStringList{u"жоқ"_qs};
}

void tst_TermImport::refuses()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, mentions);

    QTemporaryDir directory;
    const QString input = directory.filePath(name.isEmpty() ? QStringLiteral("absent.csv") : name);
    if (!name.isEmpty())
        QVERIFY(WriteFile(input, bytes));
    const QString output = directory.filePath(QStringLiteral("termins.db"));
    MakeDatabase(output, TermTableSql(3));
    const QByteArray before = FileBytes(output);
    const QStringList entries = DirectoryEntries(directory.path());

    const QString message = RefusalOf(input, output);
    for (const QString &mention : mentions)
        QVERIFY2(message.contains(mention), qPrintable(message));
    QCOMPARE(FileBytes(output), before);
    QCOMPARE(DirectoryEntries(directory.path()), entries);
}

void tst_TermImport::summary()
{
    QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("terms.csv"));
    QVERIFY(WriteFile(input, QStringLiteral("Орысша,Қазақша,Саласы\n"     // 1
                                            "вода,су,Химия\n"             // 2
                                            ",,Химия\n"                   // 3: no text
                                            "вода,су,Химия\n"             // 4: repeat
                                            "огонь,,Физика\n"             // 5: no Kazakh
                                            ",жел,Кулинария\n"            // 6: no Russian, unknown category
                                            "\n"                          // 7: blank, not counted
                                            "вода,су,Кулинария\n"         // 8: another category: a new term
                                            "лёд,мұз,\n")                 // 9: no category
                                .toUtf8()));
    const TImportSummary summary = Import(input, directory.filePath(QStringLiteral("out.db")));
    QCOMPARE(summary.TermsWritten, 5);
    QCOMPARE(summary.Skipped.size(), std::size_t(2));
    QCOMPARE(summary.Skipped[0].Count, 1);
    QCOMPARE(summary.Skipped[0].FirstLines, std::vector<std::int64_t>{3});
    QCOMPARE(summary.Skipped[1].FirstLines, std::vector<std::int64_t>{4});
    QVERIFY(summary.Skipped[1].Reason.contains(u"қайталанған"_qs));
    QCOMPARE(summary.Remarks.size(), std::size_t(2));
    QCOMPARE(summary.Remarks[0].FirstLines, std::vector<std::int64_t>{6});
    QCOMPARE(summary.Remarks[1].FirstLines, std::vector<std::int64_t>{5});
    const std::map<QString, std::int64_t> unknown{{QString(), 1}, {u"Кулинария"_qs, 2}, {u"Физика"_qs, 1}};
    QCOMPARE(summary.UnknownCategories, unknown);
}

void tst_TermImport::declaredLengthHoldsLongest()
{
    QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("long.csv"));
    const QString longRus = QString(300, u'ж') + QStringLiteral("😀");
    QVERIFY(WriteFile(input, (longRus + QStringLiteral(",қысқа,Химия\nа,ә,Физика\n")).toUtf8()));
    TFormFixture fixture;
    Import(input, fixture.Path());
    QCOMPARE(DeclaredType(fixture.Path(), u"rus"_qs), u"VARCHAR(302)"_qs);
    QCOMPARE(DeclaredType(fixture.Path(), u"kaz"_qs), u"VARCHAR(5)"_qs);
    QCOMPARE(DeclaredType(fixture.Path(), u"cat"_qs), u"VARCHAR(6)"_qs);
    QCOMPARE(DeclaredType(fixture.Path(), u"rus_upper"_qs), u"VARCHAR(302)"_qs);
    fixture.Open();
    QCOMPARE(fixture.Cell(0, 0), longRus);
}

void tst_TermImport::cancelLeavesNothing()
{
    QTemporaryDir directory;
    const QString input = directory.filePath(QStringLiteral("many.csv"));
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("вода %1,су %1,Химия\n").arg(i);
    QVERIFY(WriteFile(input, text.toUtf8()));
    const QString output = directory.filePath(QStringLiteral("termins.db"));
    MakeDatabase(output, TermTableSql(3));
    const QByteArray before = FileBytes(output);
    const QStringList entries = DirectoryEntries(directory.path());
    int calls = 0;
    std::int64_t lastRows = -1;
    bool bytesWithinTotal = true;
    const TProgressCallback progress = [&](const TProgress &at) -> bool {
        lastRows = at.RowsRead;
        bytesWithinTotal = bytesWithinTotal && at.BytesRead <= at.BytesTotal;
        return ++calls < 3;
    };
    QVERIFY_THROWS_EXCEPTION(TImportCancelled, Import(input, output, {}, progress));
    QVERIFY(lastRows > 0);
    QVERIFY(bytesWithinTotal);
    QCOMPARE(FileBytes(output), before);
    QCOMPARE(DirectoryEntries(directory.path()), entries);
}

void tst_TermImport::followsLink()
{
#ifdef Q_OS_WIN
    QSKIP("symbolic links are the Debian package's layout");
#else
    QTemporaryDir directory;
    QVERIFY(QDir(directory.path()).mkdir(u"var"_qs));
    const QString real = directory.filePath(u"var/termins.db"_qs);
    MakeDatabase(real, TermTableSql(3));
    const QString link = directory.filePath(u"termins.db"_qs);
    QVERIFY(QFile::link(real, link));
    const QString input = directory.filePath(u"t.csv"_qs);
    QVERIFY(WriteFile(input, QStringLiteral("вода,су\n").toUtf8()));
    Import(input, link);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(TermRows(real), QStringList{u"1|вода|су||ВОДА|СУ"_qs});
    QCOMPARE(DirectoryEntries(directory.filePath(u"var"_qs)), QStringList{u"termins.db"_qs});
#endif
}

void tst_TermImport::columnsArgument_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("columns"); // empty: refused
    QTest::newRow("numbers") << "1,2,3" << QList<int>{0, 1, 2};
    QTest::newRow("letters-any-order") << "c;a;b" << QList<int>{2, 0, 1};
    QTest::newRow("two-columns") << "B,A" << QList<int>{1, 0, -1};
    QTest::newRow("no-category") << "1,2,0" << QList<int>{0, 1, -1};
    QTest::newRow("same-twice") << "1,1" << QList<int>{};
    QTest::newRow("one") << "1" << QList<int>{};
    QTest::newRow("zero-language") << "0,1" << QList<int>{};
    QTest::newRow("four") << "1,2,3,4" << QList<int>{};
    QTest::newRow("not-latin") << "ә,б" << QList<int>{};
}

void tst_TermImport::columnsArgument()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, columns);
    const std::optional<lexaran::tools::TColumnsArgument> parsed = lexaran::tools::ParseColumns(text);
    QCOMPARE(parsed.has_value(), !columns.isEmpty());
    if (parsed)
        QCOMPARE((QList<int>{parsed->Rus, parsed->Kaz, parsed->Cat}), columns);
}

void tst_TermImport::command_data()
{
    QTest::addColumn<QStringList>("arguments"); // IN for the input, OUT for the output
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QStringList>("rows"); // the output's rows; empty: untouched

    const QByteArray good = QStringLiteral("Саласы;Орысша;Қазақша\nХимия;вода;су\nХимия;вода;су\nБасқа;огонь;от\n").toUtf8();
    QTest::newRow("writes-and-sums-up") << QStringList{u"IN"_qs, u"--out"_qs, u"OUT"_qs} << good << 0
        << u"2 термин жазылды"_qs << QStringList{u"1|вода|су|Химия|ВОДА|СУ"_qs, u"2|огонь|от|Басқа|ОГОНЬ|ОТ"_qs};
    QTest::newRow("columns-chosen") << QStringList{u"IN"_qs, u"--columns"_qs, u"3,2"_qs, u"--out"_qs, u"OUT"_qs}
        << QStringLiteral("су,вода\n").toUtf8() << 0 << u"1 термин"_qs << QStringList{u"1||вода|||ВОДА"_qs};
    QTest::newRow("refused-lost-letters") << QStringList{u"IN"_qs, u"--out"_qs, u"OUT"_qs}
        << Windows1251Bytes(QStringLiteral("город;қала\n")) << 1 << u"«CSV UTF-8»"_qs << QStringList();
    QTest::newRow("no-out") << QStringList{u"IN"_qs} << good << 2 << u"Қолданылуы"_qs << QStringList();
    QTest::newRow("unknown-option") << QStringList{u"IN"_qs, u"--out"_qs, u"OUT"_qs, u"--tsv"_qs} << good << 2
        << u"«--tsv»"_qs << QStringList();
    QTest::newRow("bad-columns") << QStringList{u"IN"_qs, u"--columns"_qs, u"x"_qs, u"--out"_qs, u"OUT"_qs} << good
        << 2 << u"бағандар"_qs << QStringList();
    QTest::newRow("missing-sheet") << QStringList{u"IN"_qs, u"--sheet"_qs, u"Жоқ"_qs, u"--out"_qs, u"OUT"_qs}
        << XlsxBytes({{u"s:вода"_qs, u"s:су"_qs}}) << 1 << u"«Жоқ» парағы жоқ"_qs << QStringList();
}

void tst_TermImport::command()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(QStringList, rows);

    // A Kazakh folder and file name, as users have them.
    QTemporaryDir directory;
    QVERIFY(QDir(directory.path()).mkdir(u"Терминдер қоры"_qs));
    const QString folder = directory.filePath(u"Терминдер қоры"_qs);
    const QString in = folder + u"/сөздік тізімі.csv"_qs;
    const QString out = folder + u"/termins.db"_qs;
    QVERIFY(WriteFile(in, input));
    MakeDatabase(out, TermTableSql(3));
    const QByteArray before = FileBytes(out);
    for (QString &argument : arguments)
        argument = argument == u"IN" ? QDir::toNativeSeparators(in) : argument == u"OUT" ? QDir::toNativeSeparators(out) : argument;

    QProcess process;
    process.start(QStringLiteral(IMPORT_PATH), arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString printed = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == exitCode, qPrintable(printed));
    QVERIFY2(printed.contains(says), qPrintable(printed));
    // No progress line when the output is no terminal. (Its text, not its
    // carriage return: Windows' text output ends every line with one.)
    QVERIFY2(!printed.contains(u"жол оқылды"_qs), qPrintable(printed));
    if (rows.isEmpty())
        QCOMPARE(FileBytes(out), before);
    else
        QCOMPARE(TermRows(out), rows);
    QCOMPARE(DirectoryEntries(folder), (QStringList{u"termins.db"_qs, u"сөздік тізімі.csv"_qs}));
}

void tst_TermImport::commandStoppedLeavesOldFile()
{
#ifdef Q_OS_WIN
    QSKIP("a termination request is a signal here; the console handler is checked by hand");
#else
    QTemporaryDir directory;
    const QString in = directory.filePath(u"big.csv"_qs);
    {
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 400000; ++i)
            file.write(QStringLiteral("вода %1,су %1,Химия\n").arg(i).toUtf8());
    }
    const QString out = directory.filePath(u"termins.db"_qs);
    MakeDatabase(out, TermTableSql(3));
    const QByteArray before = FileBytes(out);
    QProcess process;
    process.start(QStringLiteral(IMPORT_PATH), {in, u"--out"_qs, out});
    QVERIFY(process.waitForStarted());
    // Stopped once its scratch file is there, mid-import.
    QElapsedTimer waited;
    waited.start();
    while (DirectoryEntries(directory.path()).size() < 3 && waited.elapsed() < 20000)
        QTest::qWait(10);
    QCOMPARE(DirectoryEntries(directory.path()).size(), 3);
    process.terminate();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(u"тоқтатылды"_qs));
    QCOMPARE(FileBytes(out), before);
    QCOMPARE(DirectoryEntries(directory.path()), (QStringList{u"big.csv"_qs, u"termins.db"_qs}));
#endif
}

void tst_TermImport::sampleDictionary()
{
    // Every line of the build's sample becomes a term under a listed subject.
    QFile sample(QStringLiteral(SAMPLE_TSV));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = sample.readAll().split('\n');
    const auto terms = std::count_if(lines.begin(), lines.end(), [](const QByteArray &line) { return !line.trimmed().isEmpty(); });
    QTemporaryDir directory;
    const TImportSummary summary = Import(QStringLiteral(SAMPLE_TSV), directory.filePath(u"termins.db"_qs));
    QCOMPARE(summary.TermsWritten, std::int64_t(terms));
    QVERIFY(summary.Skipped.empty());
    QVERIFY(summary.Remarks.empty());
    QVERIFY(summary.UnknownCategories.empty());
}

QTEST_MAIN(tst_TermImport)
#include "tst_termimport.moc"
