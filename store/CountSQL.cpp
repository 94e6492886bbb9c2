#include "CountSQL.h"

#include "TextCase.h"

using lexaran::text::LowerCaseSimple;

namespace lexaran::store {

namespace {

// The character that closes quoted text opened by c, or a null QChar when c
// opens none.
QChar Closer(QChar c)
{
    switch (c.unicode()) {
    case u'\'': return u'\'';
    case u'"': return u'"';
    case u'`': return u'`';
    case u'[': return u']';
    default: return QChar();
    }
}

// Walks a text and reports, for each position, whether it lies outside
// quoted text. Quoted text includes its own quote characters.
class TQuoteScanner
{
public:
    // Call for every position in order; true when position i is outside quotes.
    bool Outside(QChar c)
    {
        if (!closer_.isNull()) {
            if (c == closer_)
                closer_ = QChar();
            return false;
        }
        closer_ = Closer(c);
        return closer_.isNull();
    }

private:
    QChar closer_;
};

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

bool IsWordSeparator(QChar c)
{
    return c == u' ' || c == u'\r' || c == u'\n' || c == u',' || c == u';' || c == u'(';
}

QStringView Unquoted(QStringView name)
{
    if (name.size() >= 2) {
        const QChar closer = Closer(name.front());
        if (!closer.isNull() && name.back() == closer)
            return name.sliced(1, name.size() - 2);
    }
    return name;
}

// Walks the text once, handing every stretch of plain text to `plain` and
// calling `marker` for every parameter marker (which `plain` never sees).
template <typename TPlain, typename TMarker>
void ForEachParameterMarker(QStringView text, TPlain plain, TMarker marker)
{
    TQuoteScanner scanner;
    qsizetype plainStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool outside = scanner.Outside(c);
        if (outside && c == u':' && i + 1 < text.size() && IsNameChar(text[i + 1])
                && (i == 0 || text[i - 1] != u':')) {
            plain(text.sliced(plainStart, i - plainStart));
            marker();
            while (i + 1 < text.size() && IsNameChar(text[i + 1]))
                ++i;
            plainStart = i + 1;
        }
    }
    plain(text.sliced(plainStart));
}

} // namespace

qsizetype IndexOutsideQuotes(QStringView lowered, QStringView phrase, qsizetype from)
{
    TQuoteScanner scanner;
    for (qsizetype i = 0; i < lowered.size(); ++i) {
        if (!scanner.Outside(lowered[i]))
            continue;
        // The phrases sought begin and end with a blank, so a match that
        // starts outside quotes cannot reach into them.
        if (i >= from && lowered.sliced(i).startsWith(phrase))
            return i;
    }
    return -1;
}

QString ReplaceParameterMarkers(QStringView text)
{
    QString result;
    result.reserve(text.size());
    ForEachParameterMarker(text, [&](QStringView plain) { result += plain; }, [&] { result += u'?'; });
    return result;
}

int CountParameterMarkers(QStringView text)
{
    int count = 0;
    ForEachParameterMarker(text, [](QStringView) {}, [&] { ++count; });
    return count;
}

} // namespace lexaran::store

// The two statement-text functions that the rest of the program knows by
// name stand outside the namespace and read the text with its helpers.
using lexaran::store::Closer;
using lexaran::store::IndexOutsideQuotes;
using lexaran::store::IsWordSeparator;
using lexaran::store::TQuoteScanner;
using lexaran::store::Unquoted;

QString TableNameFromSQL(QStringView text)
{
    qsizetype i = 0;
    // The next word: a run of characters up to a separator, in which quoted
    // text (separators included) is part of the word.
    auto nextWord = [&]() -> QStringView {
        while (i < text.size() && IsWordSeparator(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && !IsWordSeparator(text[i])) {
            const QChar closer = Closer(text[i]);
            ++i;
            if (!closer.isNull()) {
                while (i < text.size() && text[i] != closer)
                    ++i;
                if (i < text.size())
                    ++i;
            }
        }
        return text.sliced(start, i - start);
    };

    for (QStringView word = nextWord(); !word.isEmpty(); word = nextWord()) {
        if (word.compare(QLatin1String("from"), Qt::CaseInsensitive) != 0)
            continue;
        QStringView name = nextWord();
        if (name.endsWith(u';') || name.endsWith(u')'))
            name.chop(1);
        name = name.trimmed();

        // Split at dots outside quotes: schema.table, each part unquoted.
        QString result;
        TQuoteScanner scanner;
        qsizetype partStart = 0;
        for (qsizetype k = 0; k <= name.size(); ++k) {
            const bool end = k == name.size();
            if (!end && !(scanner.Outside(name[k]) && name[k] == u'.'))
                continue;
            if (!result.isEmpty() || partStart > 0)
                result += u'.';
            result += Unquoted(name.sliced(partStart, k - partStart));
            partStart = k + 1;
        }
        return result;
    }
    return {};
}

QString ComposeCountSQL(QStringView text, const QString &table, QChar quote)
{
    QString count = QLatin1String("select count(*) from ") + quote + table + quote;
    const qsizetype head = count.size();
    const qsizetype where = IndexOutsideQuotes(LowerCaseSimple(text), u" where ");
    if (where < 0)
        return count;
    count += text.sliced(where);
    // Only the condition is cut: a table name is taken whole, even one that
    // holds the words itself.
    const qsizetype orderBy = IndexOutsideQuotes(LowerCaseSimple(count), u" order by ", head);
    if (orderBy >= 0)
        count.truncate(orderBy);
    return count;
}
