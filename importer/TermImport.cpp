#include "TermImport.h"

#include "Categories.h"
#include "DelimitedSource.h"
#include "OdsSource.h"
#include "TImportText.h"
#include "TRowSource.h"
#include "TTermWriter.h"
#include "TbxSource.h"
#include "TextCase.h"
#include "XlsxSource.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <deque>

namespace lexaran::importer {

using lexaran::text::LowerCaseSimple;

TImportCancelled::TImportCancelled()
    : std::runtime_error(QStringLiteral("Импорт тоқтатылды: ештеңе жазылған жоқ.").toStdString())
{
}

namespace {

constexpr int kHeaderSearchRows = 5;
constexpr std::size_t kFirstLines = 5;

[[noreturn]] void Refuse(const QString &message)
{
    throw TImportError(message.toStdString());
}

bool IsZip(const QByteArray &sample)
{
    return sample.startsWith("PK\x03\x04");
}

// Whether the file's beginning is XML whose first element is a TBX root.
bool IsTbx(const QByteArray &sample)
{
    QXmlStreamReader reader(sample);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            return reader.name() == u"martif" || reader.name() == u"tbx";
        if (reader.hasError())
            return false;
    }
    return false;
}

} // namespace

std::unique_ptr<TRowSource> OpenSource(const QString &path, const TImportOptions &options, TSourceInfo &info)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        Refuse(QStringLiteral("%1: файл жоқ немесе оқылмайды. Файлдың атын және оны оқуға рұқсатыңыз бар "
                              "екенін тексеріңіз.")
                   .arg(ShownName(path)));
    }
    const QByteArray sample = file.read(1 << 16);
    file.close();
    if (IsZip(sample))
    {
        auto zip = std::make_unique<TZipArchive>(path);
        if (zip->Has(QStringLiteral("xl/workbook.xml")))
            return std::make_unique<TXlsxSource>(path, std::move(zip), options, info);
        if (zip->Has(QStringLiteral("content.xml")) && zip->Has(QStringLiteral("mimetype"))
            && zip->ReadAll(QStringLiteral("mimetype"), 256).startsWith("application/vnd.oasis.opendocument.spreadsheet"))
            return std::make_unique<TOdsSource>(path, std::move(zip), options, info);
        Refuse(QStringLiteral("%1: бұл архив Excel (.xlsx) немесе LibreOffice (.ods) кестесі емес. Терминдер "
                              "тізімін .xlsx, .ods, .csv немесе .tbx түрінде беріңіз.")
                   .arg(ShownName(path)));
    }
    if (sample.startsWith("\xD0\xCF\x11\xE0")) {
        Refuse(QStringLiteral("%1: бұл — ескі Excel 97–2003 (.xls) файлы. Оны Excel-де ашып, .xlsx түрінде "
                              "сақтаңыз да, сол файлды беріңіз.")
                   .arg(ShownName(path)));
    }
    if (IsTbx(sample))
        return std::make_unique<TTbxSource>(path, info);
    const TTextEncoding encoding = SniffEncoding(sample);
    if (encoding != TTextEncoding::Utf16LE && encoding != TTextEncoding::Utf16BE && sample.contains('\0')) {
        Refuse(QStringLiteral("%1: бұл мәтін файлы да, кесте де емес. Терминдер тізімін .xlsx, .ods, .csv "
                              "немесе .tbx түрінде беріңіз.")
                   .arg(ShownName(path)));
    }
    return std::make_unique<TDelimitedSource>(path, sample, info);
}

namespace {

enum class TSide { None, Rus, Kaz, Cat };

TSide HeaderSide(const QString &title)
{
    static const QSet<QString> rus{u"орысша"_qs, u"орыс тілі"_qs, u"орыс тілінде"_qs, u"орысша атауы"_qs,
                                   u"русский"_qs, u"русский язык"_qs, u"на русском"_qs, u"по-русски"_qs,
                                   u"рус"_qs, u"russian"_qs, u"ru"_qs, u"rus"_qs};
    static const QSet<QString> kaz{u"қазақша"_qs, u"қазақ тілі"_qs, u"қазақ тілінде"_qs, u"қазақша атауы"_qs,
                                   u"казахский"_qs, u"казахский язык"_qs, u"на казахском"_qs, u"по-казахски"_qs,
                                   u"каз"_qs, u"kazakh"_qs, u"kk"_qs, u"kaz"_qs};
    static const QSet<QString> cat{u"саласы"_qs, u"сала"_qs, u"салалар"_qs, u"категория"_qs, u"категориясы"_qs,
                                   u"отрасль"_qs, u"category"_qs, u"subject"_qs, u"subject field"_qs};
    QString key = LowerCaseSimple(title.trimmed()).simplified();
    while (key.endsWith(u':') || key.endsWith(u'*'))
        key.chop(1);
    if (rus.contains(key))
        return TSide::Rus;
    if (kaz.contains(key))
        return TSide::Kaz;
    if (cat.contains(key))
        return TSide::Cat;
    return TSide::None;
}

// The mapping a header row gives, when it names both languages.
std::optional<TColumnMap> HeaderColumns(const QStringList &cells)
{
    TColumnMap map{-1, -1, -1};
    for (int i = 0; i < cells.size(); ++i) {
        switch (HeaderSide(cells[i])) {
        case TSide::Rus:
            if (map.Rus < 0)
                map.Rus = i;
            break;
        case TSide::Kaz:
            if (map.Kaz < 0)
                map.Kaz = i;
            break;
        case TSide::Cat:
            if (map.Cat < 0)
                map.Cat = i;
            break;
        case TSide::None:
            break;
        }
    }
    if (map.Rus < 0 || map.Kaz < 0)
        return std::nullopt;
    return map;
}

int FilledWidth(const QStringList &cells)
{
    int width = int(cells.size());
    while (width > 0 && cells[width - 1].trimmed().isEmpty())
        --width;
    return width;
}

// A term list opened and its columns settled: rows come out after the
// header, with the mapping the import uses.
class TOpenList
{
public:
    TOpenList(const QString &path, const TImportOptions &options) : path_(path)
    {
        source_ = OpenSource(path, options, info_);
        if (!source_->Tabular()) {
            info_.Columns = TColumnMap{};
            info_.ColumnCount = 3;
            return;
        }
        // The header may sit below a title or blank rows: it is looked for
        // among the first rows.
        TSourceRow row;
        int widest = 0;
        while (int(ahead_.size()) < kHeaderSearchRows && source_->Next(row)) {
            ahead_.push_back(row);
            widest = std::max(widest, FilledWidth(row.Cells));
            if (const std::optional<TColumnMap> header = HeaderColumns(row.Cells)) {
                info_.Header = row.Cells;
                info_.Header.resize(FilledWidth(row.Cells));
                info_.Columns = options.Columns.value_or(*header);
                aboveHeader_ = std::int64_t(ahead_.size()) - 1;
                for (std::size_t i = 0; i < ahead_.size(); ++i) {
                    if (i + 1 < ahead_.size() && FilledWidth(ahead_[i].Cells) > 0)
                        skippedAbove_.push_back(ahead_[i].Line);
                }
                ahead_.clear();
                info_.ColumnCount = int(info_.Header.size());
                return;
            }
        }
        if (options.Columns) {
            info_.Columns = *options.Columns;
        } else if (widest >= 2) {
            info_.Columns = TColumnMap{0, 1, widest >= 3 ? 2 : -1};
        } else {
            const QString where = ahead_.empty() ? ShownName(path) : source_->Where(ahead_.front().Line);
            Refuse(QStringLiteral("%1: терминдер бағандары табылмады. Бірінші жолға «Орысша», «Қазақша», «Саласы» "
                                  "тақырыптарын жазыңыз, не бағандарды өзіңіз көрсетіңіз (--columns), не "
                                  "кемінде екі бағаны бар файл беріңіз.")
                       .arg(where));
        }
        info_.ColumnCount = widest;
    }

    bool Next(TSourceRow &row)
    {
        if (!ahead_.empty()) {
            row = std::move(ahead_.front());
            ahead_.pop_front();
            return true;
        }
        return source_->Next(row);
    }

    TSourceInfo &Info() { return info_; }
    TRowSource &Source() { return *source_; }
    const std::vector<std::int64_t> &SkippedAbove() const { return skippedAbove_; }

private:
    QString path_;
    TSourceInfo info_;
    std::unique_ptr<TRowSource> source_;
    std::deque<TSourceRow> ahead_;
    std::int64_t aboveHeader_ = 0;
    std::vector<std::int64_t> skippedAbove_;
};

QString Cell(const QStringList &cells, int column)
{
    return column >= 0 && column < cells.size() ? cells[column].trimmed() : QString();
}

class TTally
{
public:
    explicit TTally(QString reason) { reason_.Reason = std::move(reason); }
    void Add(std::int64_t line)
    {
        ++reason_.Count;
        if (reason_.FirstLines.size() < kFirstLines)
            reason_.FirstLines.push_back(line);
    }
    void Into(std::vector<TImportSummary::TSkipped> &list) const
    {
        if (reason_.Count > 0)
            list.push_back(reason_);
    }

private:
    TImportSummary::TSkipped reason_;
};

} // namespace

TSourceInfo Inspect(const QString &path, const TImportOptions &options, int previewRows)
{
    TOpenList list(path, options);
    TSourceRow row;
    while (int(list.Info().Preview.size()) < previewRows && list.Next(row)) {
        if (FilledWidth(row.Cells) == 0)
            continue;
        list.Info().ColumnCount = std::max(list.Info().ColumnCount, int(row.Cells.size()));
        list.Info().Preview.push_back(row.Cells);
    }
    return list.Info();
}

TImportSummary Import(const QString &input, const QString &output, const TImportOptions &options,
                      const TProgressCallback &progress)
{
    const QFileInfo inputInfo(input);
    if (inputInfo.exists() && QFileInfo(output).exists()
        && inputInfo.canonicalFilePath() == QFileInfo(output).canonicalFilePath()) {
        Refuse(QStringLiteral("%1: терминдер тізімі мен жазылатын сөздік — бір файл. Сөздікке басқа ат беріңіз.")
                   .arg(ShownName(output)));
    }
    TOpenList list(input, options);
    TTermWriter writer(output);
    const TColumnMap map = list.Info().Columns;
    const std::int64_t total = inputInfo.size();
    const std::span<const char16_t *const> listed = lexaran::search::kCategories.subspan(1);
    QSet<QString> known;
    for (const char16_t *name : listed)
        known.insert(QString::fromUtf16(name));

    TImportSummary summary;
    TTally aboveHeader(QStringLiteral("тақырып жолының үстіндегі жолдар"));
    for (std::int64_t line : list.SkippedAbove())
        aboveHeader.Add(line);
    TTally noText(QStringLiteral("орысша да, қазақша да мәтіні жоқ жолдар"));
    TTally repeated(QStringLiteral("қайталанған жолдар (бір рет жазылды)"));
    TTally noRus(QStringLiteral("орысша мәтіні жоқ жолдар (жазылды)"));
    TTally noKaz(QStringLiteral("қазақша мәтіні жоқ жолдар (жазылды)"));

    TSourceRow row;
    std::int64_t rows = 0;
    auto report = [&] {
        if (progress && !progress(TProgress{rows, list.Source().BytesRead(), total}))
            throw TImportCancelled();
    };
    report();
    while (list.Next(row)) {
        if (++rows % 4096 == 0)
            report();
        const QString rus = Cell(row.Cells, map.Rus);
        const QString kaz = Cell(row.Cells, map.Kaz);
        if (rus.isEmpty() && kaz.isEmpty()) {
            if (FilledWidth(row.Cells) > 0)
                noText.Add(row.Line);
            continue;
        }
        for (const QString *text : {&kaz, &rus}) {
            if (HasLostLetters(*text)) {
                Refuse(QStringLiteral("%1: «%2» — әріптердің орнында «?» тұр. Файл қазақ әріптері жоқ кодтаумен "
                                      "(мысалы, Excel-дің жай «CSV» түрі, Windows-1251) сақталған, сондықтан ә, ғ, "
                                      "қ, ң, ө, ұ, ү, һ, і әріптері жоғалған. Кестені «CSV UTF-8» немесе «Unicode "
                                      "text» түрінде қайта сақтаңыз, не .xlsx файлын беріңіз. Ештеңе жазылған жоқ.")
                           .arg(list.Source().Where(row.Line), *text));
            }
        }
        const QString cat = Cell(row.Cells, map.Cat);
        if (!writer.Add(rus, kaz, cat)) {
            repeated.Add(row.Line);
            continue;
        }
        if (rus.isEmpty())
            noRus.Add(row.Line);
        else if (kaz.isEmpty())
            noKaz.Add(row.Line);
        if (!known.contains(cat))
            ++summary.UnknownCategories[cat];
    }
    report();
    if (writer.Count() == 0) {
        Refuse(QStringLiteral("%1: бірде-бір термин табылмады. Файлда орысша және қазақша мәтіні бар жолдар "
                              "барын, бағандар дұрыс екенін тексеріңіз.")
                   .arg(ShownName(input)));
    }
    writer.Commit();
    summary.TermsWritten = writer.Count();
    aboveHeader.Into(summary.Skipped);
    noText.Into(summary.Skipped);
    repeated.Into(summary.Skipped);
    noRus.Into(summary.Remarks);
    noKaz.Into(summary.Remarks);
    return summary;
}

} // namespace lexaran::importer
