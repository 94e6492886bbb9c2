#include "ColumnChoice.h"

namespace lexaran::builder {

using importer::TColumnMap;
using importer::TSourceKind;
using importer::TTextEncoding;

QString SideCaption(TTermSide side)
{
    switch (side) {
    case TTermSide::Rus:
        return QStringLiteral("Орысша");
    case TTermSide::Kaz:
        return QStringLiteral("Қазақша");
    case TTermSide::Cat:
        return QStringLiteral("Саласы");
    }
    return QString();
}

namespace {

int &Slot(TColumnMap &map, TTermSide side)
{
    switch (side) {
    case TTermSide::Rus:
        return map.Rus;
    case TTermSide::Kaz:
        return map.Kaz;
    case TTermSide::Cat:
        break;
    }
    return map.Cat;
}

} // namespace

int ColumnOf(const TColumnMap &map, TTermSide side)
{
    return Slot(const_cast<TColumnMap &>(map), side);
}

TColumnMap WithColumn(TColumnMap map, TTermSide side, int column)
{
    int &own = Slot(map, side);
    for (TTermSide other : {TTermSide::Rus, TTermSide::Kaz, TTermSide::Cat}) {
        int &theirs = Slot(map, other);
        if (other != side && theirs == column)
            theirs = own;
    }
    own = column;
    return map;
}

QString ColumnCaption(const QStringList &header, int column)
{
    const QString number = QStringLiteral("%1-баған").arg(column + 1);
    const QString title = column < header.size() ? header.at(column).trimmed() : QString();
    return title.isEmpty() ? number : number + QStringLiteral(": ") + title;
}

QString KindCaption(TSourceKind kind)
{
    switch (kind) {
    case TSourceKind::Xlsx:
        return QStringLiteral("Excel кітабы (XLSX)");
    case TSourceKind::Ods:
        return QStringLiteral("OpenDocument кестесі (ODS)");
    case TSourceKind::DelimitedText:
        return QStringLiteral("Бөлгішпен жазылған мәтін (CSV, TSV)");
    case TSourceKind::Tbx:
        return QStringLiteral("Терминологиялық алмасу файлы (TBX)");
    }
    return QString();
}

QString EncodingCaption(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TTextEncoding::Utf8Bom:
        return QStringLiteral("UTF-8, BOM белгісімен");
    case TTextEncoding::Utf16LE:
        return QStringLiteral("UTF-16 LE");
    case TTextEncoding::Utf16BE:
        return QStringLiteral("UTF-16 BE");
    case TTextEncoding::Windows1251:
        return QStringLiteral("Windows-1251");
    }
    return QString();
}

QString SeparatorCaption(QChar separator)
{
    switch (separator.unicode()) {
    case u',':
        return QStringLiteral("үтір ( , )");
    case u';':
        return QStringLiteral("нүктелі үтір ( ; )");
    case u'\t':
        return QStringLiteral("табуляция");
    default:
        return QStringLiteral("«%1»").arg(separator);
    }
}

} // namespace lexaran::builder
