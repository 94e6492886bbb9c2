#pragma once

#include <QXmlStreamReader>

#include <functional>

namespace lexaran::importer {

// An XML reader fed in pieces from a zip member: readNext() asks for more
// data when the reader runs out, so a sheet is never in memory whole.
class TXmlFeed
{
public:
    // `more` gives the next piece, empty at the end.
    explicit TXmlFeed(std::function<QByteArray()> more) : more_(std::move(more)) {}

    QXmlStreamReader::TokenType Next();
    // The text of the current element and its children, up to its end.
    QString ElementText();
    // Skips the current element and all inside it.
    void Skip();
    QXmlStreamReader &Reader() { return reader_; }

private:
    QXmlStreamReader reader_;
    std::function<QByteArray()> more_;
    bool ended_ = false;
};

} // namespace lexaran::importer
