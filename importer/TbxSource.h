#pragma once

#include "TRowSource.h"

#include <QFile>
#include <QXmlStreamReader>

#include <deque>

namespace lexaran::importer {

// TBX, v2 (martif, termEntry, langSet, tig/ntig, term; TBX-Basic) and v3
// (tbx, conceptEntry, langSec, termSec, term). Each concept gives a row of
// its first Russian and first Kazakh term and its subject field; every
// further term of a language gives a row with the other language's first
// term. Language codes are matched by their language part: ru, ru-RU, kk,
// kk-KZ and kk-Cyrl alike. A row's line is its concept's.
class TTbxSource final : public TRowSource
{
public:
    TTbxSource(const QString &path, TSourceInfo &info);

    bool Next(TSourceRow &row) override;
    std::int64_t BytesRead() const override { return file_.pos(); }
    QString Where(std::int64_t line) const override;
    bool Tabular() const override { return false; }

private:
    void ReadConcept(std::int64_t line);

    QString path_;
    QFile file_;
    QXmlStreamReader reader_;
    std::deque<TSourceRow> ready_;
};

} // namespace lexaran::importer
