#include "TXmlFeed.h"

namespace lexaran::importer {

QXmlStreamReader::TokenType TXmlFeed::Next()
{
    for (;;) {
        const QXmlStreamReader::TokenType token = reader_.readNext();
        if (token != QXmlStreamReader::Invalid || reader_.error() != QXmlStreamReader::PrematureEndOfDocumentError
            || ended_)
            return token;
        const QByteArray piece = more_();
        if (piece.isEmpty())
            ended_ = true;
        else
            reader_.addData(piece);
    }
}

QString TXmlFeed::ElementText()
{
    QString text;
    int depth = 1;
    while (depth > 0) {
        switch (Next()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            text += reader_.text();
            break;
        case QXmlStreamReader::Invalid:
            return text;
        default:
            break;
        }
    }
    return text;
}

void TXmlFeed::Skip()
{
    int depth = 1;
    while (depth > 0) {
        const QXmlStreamReader::TokenType token = Next();
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        else if (token == QXmlStreamReader::EndElement)
            --depth;
        else if (token == QXmlStreamReader::Invalid)
            return;
    }
}

} // namespace lexaran::importer
