#pragma once

#include "TRowSource.h"

#include <QFile>
#include <QStringDecoder>

namespace lexaran::importer {

// CSV and TSV as spreadsheets save them: RFC 4180 quoting (separators,
// doubled quotes and line breaks inside quotes), any line end, an optional
// "sep=" first line; UTF-8 with or without a byte-order mark, UTF-16 with
// one, or Windows-1251. Read in chunks; a row's line is where it starts.
class TDelimitedSource final : public TRowSource
{
public:
    // `sample` is the file's beginning, as read to tell its kind.
    TDelimitedSource(const QString &path, const QByteArray &sample, TSourceInfo &info);

    bool Next(TSourceRow &row) override;
    std::int64_t BytesRead() const override { return bytesRead_; }
    QString Where(std::int64_t line) const override;

private:
    bool Fill();
    void Decode(const QByteArray &bytes, bool last);

    QString path_;
    QFile file_;
    TTextEncoding encoding_ = TTextEncoding::Utf8;
    QStringDecoder decoder_;
    QChar separator_;
    QString buffer_;
    qsizetype position_ = 0;
    bool atEnd_ = false;
    std::int64_t bytesRead_ = 0;
    std::int64_t line_ = 1;          // the line the parser is on
    std::int64_t decodedLines_ = 1;  // the line the decoder has reached
};

// The encoding of a text file from its beginning: a byte-order mark, else
// UTF-8 when the bytes are valid UTF-8, else Windows-1251.
TTextEncoding SniffEncoding(const QByteArray &sample);

} // namespace lexaran::importer
