#include "DelimitedSource.h"

#include "CodePage.h"
#include "TImportText.h"

#include <array>

namespace lexaran::importer {

namespace {

constexpr qint64 kChunk = 1 << 18;

int BomSize(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8Bom:
        return 3;
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE:
        return 2;
    default:
        return 0;
    }
}

// Separators outside quotes on each of the first records of `text`.
std::vector<int> CountPerRecord(QStringView text, QChar separator, int records)
{
    std::vector<int> counts;
    int count = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size() && int(counts.size()) < records; ++i) {
        const QChar c = text[i];
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == separator)
            ++count;
        else if (!quoted && (c == u'\n' || c == u'\r')) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            counts.push_back(count);
            count = 0;
        }
    }
    // The last record when the sample ends inside it counts only if it is
    // the only one.
    if (counts.empty())
        counts.push_back(count);
    return counts;
}

// The separator that splits the first records most evenly into the most
// fields: tab, then ';', then ',' when they are as good.
QChar FindSeparator(QStringView text)
{
    const std::array<QChar, 3> candidates{u'\t', u';', u','};
    QChar best = u',';
    int bestSteady = 0, bestCount = 0;
    for (QChar candidate : candidates) {
        const std::vector<int> counts = CountPerRecord(text, candidate, 20);
        const int first = counts.front();
        if (first == 0)
            continue;
        int steady = 0;
        for (int count : counts)
            steady += count == first ? 1 : 0;
        if (steady > bestSteady || (steady == bestSteady && first > bestCount)) {
            best = candidate;
            bestSteady = steady;
            bestCount = first;
        }
    }
    return best;
}

} // namespace

TTextEncoding SniffEncoding(const QByteArray &sample)
{
    if (sample.startsWith("\xEF\xBB\xBF"))
        return TTextEncoding::Utf8Bom;
    if (sample.startsWith("\xFF\xFE"))
        return TTextEncoding::Utf16LE;
    if (sample.startsWith("\xFE\xFF"))
        return TTextEncoding::Utf16BE;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(sample);
    Q_UNUSED(decoded);
    return decoder.hasError() ? TTextEncoding::Windows1251 : TTextEncoding::Utf8;
}

TDelimitedSource::TDelimitedSource(const QString &path, const QByteArray &sample, TSourceInfo &info)
    : path_(path), file_(path)
{
    encoding_ = SniffEncoding(sample);
    switch (encoding_) {
    case TTextEncoding::Utf16LE:
        decoder_ = QStringDecoder(QStringDecoder::Utf16LE);
        break;
    case TTextEncoding::Utf16BE:
        decoder_ = QStringDecoder(QStringDecoder::Utf16BE);
        break;
    case TTextEncoding::Windows1251:
        break;
    default:
        decoder_ = QStringDecoder(QStringDecoder::Utf8);
        break;
    }
    if (!file_.open(QIODevice::ReadOnly)) {
        throw TImportError(QStringLiteral("%1: файлды оқу мүмкін емес. Файлдың бар екенін және оны оқуға рұқсатыңыз "
                                          "бар екенін тексеріңіз.")
                               .arg(ShownName(path))
                               .toStdString());
    }
    const int bom = BomSize(encoding_);
    file_.seek(bom);
    bytesRead_ = bom;

    // The separator: a "sep=" first line names it (and is no row), else the
    // one that splits the first records evenly.
    Fill();
    QStringView head(buffer_);
    if (head.startsWith(u"sep=", Qt::CaseInsensitive) && head.size() >= 5
        && (head.size() == 5 || head[5] == u'\r' || head[5] == u'\n')) {
        separator_ = head[4];
        position_ = 5;
        if (position_ < buffer_.size() && buffer_[position_] == u'\r')
            ++position_;
        if (position_ < buffer_.size() && buffer_[position_] == u'\n')
            ++position_;
        line_ = 2;
    } else {
        separator_ = FindSeparator(head);
    }
    info.Kind = TSourceKind::DelimitedText;
    info.Encoding = encoding_;
    info.Separator = separator_;
}

QString TDelimitedSource::Where(std::int64_t line) const
{
    return AtLine(path_, line);
}

void TDelimitedSource::Decode(const QByteArray &bytes, bool last)
{
    QString text;
    if (encoding_ == TTextEncoding::Windows1251) {
        text = DecodeWindows1251(bytes);
    } else {
        text = decoder_.decode(bytes);
        if (last)
            text += decoder_.decode(QByteArrayView());
        if (decoder_.hasError()) {
            const qsizetype bad = text.indexOf(QChar(QChar::ReplacementCharacter));
            const std::int64_t line = decodedLines_ + (bad < 0 ? 0 : QStringView(text).left(bad).count(u'\n'));
            const QString how = encoding_ == TTextEncoding::Utf16LE || encoding_ == TTextEncoding::Utf16BE
                                    ? QStringLiteral("UTF-16")
                                    : QStringLiteral("UTF-8");
            throw TImportError(QStringLiteral("%1: мәтін %2 кодтауында емес, файл бүлінген немесе әртүрлі "
                                              "кодтаулар араласқан. Кестені «CSV UTF-8» түрінде қайта сақтаңыз.")
                                   .arg(AtLine(path_, line), how)
                                   .toStdString());
        }
    }
    decodedLines_ += text.count(u'\n');
    buffer_ += text;
}

bool TDelimitedSource::Fill()
{
    if (atEnd_)
        return false;
    const QByteArray bytes = file_.read(kChunk);
    if (bytes.isEmpty() && file_.error() != QFileDevice::NoError) {
        throw TImportError(QStringLiteral("%1: файлды оқу кезінде қате шықты. Файлды қайта көшіріп, тағы көріңіз.")
                               .arg(AtLine(path_, decodedLines_))
                               .toStdString());
    }
    bytesRead_ += bytes.size();
    atEnd_ = bytes.size() < kChunk || file_.atEnd();
    // Drop what the parser has used before the buffer grows.
    if (position_ > 0) {
        buffer_.remove(0, position_);
        position_ = 0;
    }
    Decode(bytes, atEnd_);
    return !bytes.isEmpty() || !buffer_.isEmpty();
}

bool TDelimitedSource::Next(TSourceRow &row)
{
    row.Cells.clear();
    row.Line = line_;
    QString field;
    bool quoted = false;
    bool any = false;
    for (;;) {
        if (position_ >= buffer_.size()) {
            if (!Fill() || position_ >= buffer_.size()) {
                if (!any)
                    return false;
                row.Cells.append(field);
                return true;
            }
        }
        const QChar c = buffer_[position_++];
        any = true;
        if (quoted) {
            if (c == u'"') {
                if (position_ >= buffer_.size())
                    Fill();
                if (position_ < buffer_.size() && buffer_[position_] == u'"') {
                    field += u'"';
                    ++position_;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line_;
                // The run up to the next quote or line break, at once.
                qsizetype end = position_;
                while (end < buffer_.size() && buffer_[end] != u'"' && buffer_[end] != u'\n')
                    ++end;
                field += c;
                field += QStringView(buffer_).mid(position_, end - position_);
                position_ = end;
            }
        } else if (c == separator_) {
            row.Cells.append(field);
            field.clear();
        } else if (c == u'"' && field.isEmpty()) {
            quoted = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r') {
                if (position_ >= buffer_.size())
                    Fill();
                if (position_ < buffer_.size() && buffer_[position_] == u'\n')
                    ++position_;
            }
            ++line_;
            row.Cells.append(field);
            return true;
        } else {
            // The run of plain characters up to the next separator, quote or
            // line end, at once.
            qsizetype end = position_;
            while (end < buffer_.size()) {
                const QChar d = buffer_[end];
                if (d == separator_ || d == u'"' || d == u'\n' || d == u'\r')
                    break;
                ++end;
            }
            field += c;
            field += QStringView(buffer_).mid(position_, end - position_);
            position_ = end;
        }
    }
}

} // namespace lexaran::importer
