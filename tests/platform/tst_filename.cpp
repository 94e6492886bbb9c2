#include "FileName.h"

#include <QTest>

using namespace lexaran::platform;

class tst_FileName : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void everyTwoBytesRoundTrip();
    void textNamesEncodeAsUtf8_data();
    void textNamesEncodeAsUtf8();
};

void tst_FileName::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");

    const auto escaped = [](std::initializer_list<int> bytes) {
        QString text;
        for (int byte : bytes)
            text.append(QChar(char16_t(0xDC00 + byte)));
        return text;
    };
    QTest::newRow("ASCII") << QByteArray("/opt/lexaran/") << QStringLiteral("/opt/lexaran/");
    QTest::newRow("Cyrillic") << QByteArray("/tmp/сөздік/") << QStringLiteral("/tmp/сөздік/");
    QTest::newRow("Latin-1 byte") << QByteArray("/tmp/caf\xe9-dir/") << QStringLiteral("/tmp/caf") + escaped({0xE9}) + QStringLiteral("-dir/");
    QTest::newRow("lone continuation bytes") << QByteArray("\x80\xbf") << escaped({0x80, 0xBF});
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << escaped({0xC0, 0xAF});
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << escaped({0xED, 0xA0, 0x80});
    QTest::newRow("an encoded escape is not an escape") << QByteArray("\xed\xb2\x80") << escaped({0xED, 0xB2, 0x80});
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << escaped({0xF4, 0x90, 0x80, 0x80});
    QTest::newRow("cut sequence before ASCII") << QByteArray("\xe2\x82" "A") << escaped({0xE2, 0x82}) + u'A';
    QTest::newRow("cut sequence at the end") << QByteArray("a\xf0\x9f\x98") << u'a' + escaped({0xF0, 0x9F, 0x98});
    QTest::newRow("supplementary letter, then a bad byte") << QByteArray("\xf0\x90\x80\x80\xff")
                                                           << QString::fromUtf8("\xf0\x90\x80\x80") + escaped({0xFF});
    QTest::newRow("high bytes that never begin a sequence") << QByteArray("\xc1\xf5\xfe\xff") << escaped({0xC1, 0xF5, 0xFE, 0xFF});
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_FileName::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QCOMPARE(DecodeFileName(bytes), name);
    QCOMPARE(EncodeFileName(name), bytes);
}

void tst_FileName::everyTwoBytesRoundTrip()
{
    // Every pair of bytes, and each pair after a lead byte, so that every
    // way a sequence can start, break off or complete is met.
    for (int lead : {-1, 0xE2, 0xF0, 0xF4}) {
        for (int first = 0; first < 256; ++first) {
            for (int second = 0; second < 256; ++second) {
                QByteArray bytes;
                if (lead >= 0)
                    bytes.append(char(lead));
                bytes.append(char(first));
                bytes.append(char(second));
                const QString name = DecodeFileName(bytes);
                if (EncodeFileName(name) != bytes)
                    QFAIL(qPrintable(QStringLiteral("bytes %1 do not survive").arg(QString::fromLatin1(bytes.toHex()))));
                if (QString::fromUtf8(bytes).toUtf8() == bytes && name != QString::fromUtf8(bytes))
                    QFAIL(qPrintable(QStringLiteral("valid UTF-8 %1 decoded otherwise").arg(QString::fromLatin1(bytes.toHex()))));
            }
        }
    }
}

void tst_FileName::textNamesEncodeAsUtf8_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Kazakh letters") << QStringLiteral("/home/пайдаланушы/Қазақ тілі/termins.db");
    QTest::newRow("letter outside the basic plane") << QStringLiteral("/tmp/\U00010380/termins.db");
    QTest::newRow("pair whose low half looks like an escape") << QString::fromUtf16(u"/tmp/\xD800\xDC80/");
}

void tst_FileName::textNamesEncodeAsUtf8()
{
    QFETCH(QString, name);
    QCOMPARE(EncodeFileName(name), name.toUtf8());
    QCOMPARE(DecodeFileName(name.toUtf8()), name);
}

QTEST_GUILESS_MAIN(tst_FileName)
#include "tst_filename.moc"
