#include "TextCase.h"
#include "TextCut.h"

#include <QTest>

using lexaran::text::UpperCaseSimple;
using lexaran::text::LowerCaseSimple;
using lexaran::text::LeftChars;

class tst_Text : public QObject
{
    Q_OBJECT

private slots:
    void upperCase_data();
    void upperCase();
    void leftChars_data();
    void leftChars();
};

void tst_Text::upperCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");

    QTest::newRow("Latin i is always I") << QStringLiteral("istanbul") << QStringLiteral("ISTANBUL") << QStringLiteral("istanbul");
    QTest::newRow("dotted capital I keeps its length") << QStringLiteral("İi") << QStringLiteral("İI") << QStringLiteral("İi");
    QTest::newRow("ß has no one-letter capital") << QStringLiteral("ß") << QStringLiteral("ß") << QStringLiteral("ß");
    QTest::newRow("ligature ﬁ stays") << QStringLiteral("ﬁ") << QStringLiteral("ﬁ") << QStringLiteral("ﬁ");
    QTest::newRow("Deseret pair") << QStringLiteral("\U00010428") << QStringLiteral("\U00010400") << QStringLiteral("\U00010428");
    QTest::newRow("lone high surrogate kept") << QString(QChar(0xD801)) + u'a' << QString(QChar(0xD801)) + u'A'
                                              << QString(QChar(0xD801)) + u'a';
    QTest::newRow("lone low surrogate kept") << u'a' + QString(QChar(0xDC28)) << u'A' + QString(QChar(0xDC28))
                                             << u'a' + QString(QChar(0xDC28));
    QTest::newRow("digits and punctuation") << QStringLiteral("1-2, ok?") << QStringLiteral("1-2, OK?") << QStringLiteral("1-2, ok?");
}

void tst_Text::upperCase()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(UpperCaseSimple(text), upper);
    QCOMPARE(LowerCaseSimple(text), lower);
    QCOMPARE(UpperCaseSimple(text).size(), text.size());
}

void tst_Text::leftChars_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("left");

    const QString face = QStringLiteral("\U0001F600");
    QTest::newRow("shorter than the count") << QStringLiteral("қала") << 10 << QStringLiteral("қала");
    QTest::newRow("exactly the count") << QStringLiteral("қала") << 4 << QStringLiteral("қала");
    QTest::newRow("cut inside Cyrillic") << QStringLiteral("қала") << 2 << QStringLiteral("қа");
    QTest::newRow("cut would split a pair") << u'a' + face << 2 << QStringLiteral("a");
    QTest::newRow("cut after a whole pair") << u'a' + face + u'b' << 3 << u'a' + face;
    QTest::newRow("lone low surrogate is kept") << QString(QChar(0xDC00)) + u'a' << 1 << QString(QChar(0xDC00));
    QTest::newRow("zero") << QStringLiteral("abc") << 0 << QString();
    QTest::newRow("negative") << QStringLiteral("abc") << -5 << QString();
}

void tst_Text::leftChars()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, left);
    QCOMPARE(LeftChars(text, count).toString(), left);
}

QTEST_APPLESS_MAIN(tst_Text)
#include "tst_text.moc"
