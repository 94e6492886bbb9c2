#include "SearchSQL.h"

#include <QTest>

class tst_SearchSQL : public QObject
{
    Q_OBJECT

private slots:
    void fixedStatements();
    void compose_data();
    void compose();
};

void tst_SearchSQL::fixedStatements()
{
    QCOMPARE(StartupSQL(), QStringLiteral("select id, rus, kaz, cat from termin_items limit 1000"));
    QCOMPARE(ShowAllSQL(), QStringLiteral("select * from termin_items"));
}

void tst_SearchSQL::compose_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("matchKind");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("categoryIndex");
    QTest::addColumn<QString>("categoryText");
    QTest::addColumn<QString>("line2");

    const QString kala = QStringLiteral("қала");
    const QString none;
    QTest::newRow("contains, both") << kala << int(mkContains) << int(sfBoth) << 0 << none
        << QStringLiteral(" where (upper(rus_upper)  like '%ҚАЛА%' or upper(kaz_upper)  like '%ҚАЛА%')");
    QTest::newRow("contains, Russian") << kala << int(mkContains) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  like '%ҚАЛА%'");
    QTest::newRow("contains, Kazakh") << kala << int(mkContains) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  like '%ҚАЛА%'");
    QTest::newRow("starts with, both") << kala << int(mkStartsWith) << int(sfBoth) << 0 << none
        << QStringLiteral(" where (upper(rus_upper)  like 'ҚАЛА%' or upper(kaz_upper)  like 'ҚАЛА%')");
    QTest::newRow("starts with, Russian") << kala << int(mkStartsWith) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  like 'ҚАЛА%'");
    QTest::newRow("starts with, Kazakh") << kala << int(mkStartsWith) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  like 'ҚАЛА%'");
    QTest::newRow("equals, both") << kala << int(mkEquals) << int(sfBoth) << 0 << none
        << QStringLiteral(" where (upper(rus_upper)  = 'ҚАЛА' or upper(kaz_upper)  = 'ҚАЛА')");
    QTest::newRow("equals, Russian") << kala << int(mkEquals) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  = 'ҚАЛА'");
    QTest::newRow("equals, Kazakh") << kala << int(mkEquals) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  = 'ҚАЛА'");
    QTest::newRow("category after the parenthesis") << kala << int(mkContains) << int(sfBoth) << 17
        << QStringLiteral("Медицина")
        << QStringLiteral(" where (upper(rus_upper)  like '%ҚАЛА%' or upper(kaz_upper)  like '%ҚАЛА%') AND  cat='Медицина'");
    QTest::newRow("first category entry adds nothing") << kala << int(mkEquals) << int(sfRussian) << 0
        << QStringLiteral("Барлық категория") << QStringLiteral(" where upper(rus_upper)  = 'ҚАЛА'");
    QTest::newRow("category with a comma, not upper-cased") << QStringLiteral("x") << int(mkEquals) << int(sfKazakh) << 12
        << QStringLiteral("Геология, геодезия және география")
        << QStringLiteral(" where upper(kaz_upper)  = 'X' AND  cat='Геология, геодезия және география'");
    QTest::newRow("mixed-case Latin") << QStringLiteral("WaTer") << int(mkEquals) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  = 'WATER'");
    QTest::newRow("mixed-case Cyrillic with ё") << QStringLiteral("ЁлКа") << int(mkEquals) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  = 'ЁЛКА'");
    QTest::newRow("Kazakh letters") << QStringLiteral("әғқңөұүһі") << int(mkEquals) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  = 'ӘҒҚҢӨҰҮҺІ'");
    QTest::newRow("sharp s stays one letter") << QStringLiteral("straße") << int(mkEquals) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  = 'STRAßE'");
    QTest::newRow("letter outside the BMP") << QStringLiteral("a\U00010428b") << int(mkEquals) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  = 'A\U00010400B'");
    QTest::newRow("empty text, contains") << QString() << int(mkContains) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  like '%%'");
    QTest::newRow("empty text, starts with") << QString() << int(mkStartsWith) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  like '%'");
    QTest::newRow("empty text, equals") << QString() << int(mkEquals) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  = ''");
    QTest::newRow("blanks kept") << QStringLiteral(" қала ") << int(mkStartsWith) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  like ' ҚАЛА %'");
    QTest::newRow("pattern characters kept") << QStringLiteral("a_b%") << int(mkContains) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  like '%A_B%%'");
    QTest::newRow("quote in text") << QStringLiteral("д'артаньян") << int(mkEquals) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  = 'Д''АРТАНЬЯН'");
    QTest::newRow("two quotes in text") << QStringLiteral("''") << int(mkContains) << int(sfKazakh) << 0 << none
        << QStringLiteral(" where upper(kaz_upper)  like '%''''%'");
    QTest::newRow("quote in category") << QStringLiteral("a") << int(mkEquals) << int(sfRussian) << 3
        << QStringLiteral("it's") << QStringLiteral(" where upper(rus_upper)  = 'A' AND  cat='it''s'");
    QTest::newRow("colon and double quote are plain") << QStringLiteral(":x \"y\"") << int(mkEquals) << int(sfRussian) << 0 << none
        << QStringLiteral(" where upper(rus_upper)  = ':X \"Y\"'");
}

void tst_SearchSQL::compose()
{
    QFETCH(QString, text);
    QFETCH(int, matchKind);
    QFETCH(int, field);
    QFETCH(int, categoryIndex);
    QFETCH(QString, categoryText);
    QFETCH(QString, line2);

    const TSearchRequest request{text, TMatchKind(matchKind), TSearchField(field), categoryIndex, categoryText};
    const QStringList lines = ComposeSearchSQL(request);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("select id, rus, kaz, cat from termin_items"));
    QCOMPARE(lines[1], line2);
    QCOMPARE(lines[2], QStringLiteral("limit 1000"));
}

QTEST_APPLESS_MAIN(tst_SearchSQL)
#include "tst_searchsql.moc"
