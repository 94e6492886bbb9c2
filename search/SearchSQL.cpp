#include "SearchSQL.h"

#include "TextCase.h"

using lexaran::text::UpperCaseSimple;

QString StartupSQL()
{
    return QStringLiteral("select id, rus, kaz, cat from termin_items limit 1000");
}

QString ShowAllSQL()
{
    return QStringLiteral("select * from termin_items");
}

namespace {

// The text with every single quote doubled, for use inside '…' in a statement.
QString QuoteDoubled(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return doubled;
}

} // namespace

QStringList ComposeSearchSQL(const TSearchRequest &request)
{
    const QString upper = QuoteDoubled(UpperCaseSimple(request.Text));

    QString condition;
    switch (request.MatchKind) {
    case mkContains:
        condition = QLatin1String(" like '%") + upper + QLatin1String("%'");
        break;
    case mkStartsWith:
        condition = QLatin1String(" like '") + upper + QLatin1String("%'");
        break;
    case mkEquals:
        condition = QLatin1String(" = '") + upper + QLatin1String("'");
        break;
    }

    QString where;
    switch (request.Field) {
    case sfBoth:
        where = QLatin1String(" where (upper(rus_upper) ") + condition
              + QLatin1String(" or upper(kaz_upper) ") + condition + QLatin1String(")");
        break;
    case sfRussian:
        where = QLatin1String(" where upper(rus_upper) ") + condition;
        break;
    case sfKazakh:
        where = QLatin1String(" where upper(kaz_upper) ") + condition;
        break;
    }

    if (request.CategoryIndex > 0)
        where += QLatin1String(" AND  cat='") + QuoteDoubled(request.CategoryText) + QLatin1String("'");

    return {QStringLiteral("select id, rus, kaz, cat from termin_items"), where,
            QStringLiteral("limit 1000")};
}
