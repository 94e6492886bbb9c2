#include "TSQLQuery.h"

#include "EngineText.h"
#include "CountSQL.h"
#include "SqliteApi.h"
#include "TSQLConnection.h"
#include "TStoreError.h"
#include "TextCase.h"
#include "TextCut.h"

using lexaran::text::LowerCaseSimple;
using lexaran::text::LeftChars;

using namespace lexaran::store;

namespace {

const QString kMissingQuery = QStringLiteral("Missing query, table name or procedure name");
const QString kNotSupported = QStringLiteral("[0x0005]: Operation Not Supported");

// The declared length of a text column: the whole number between the first
// "(" and the first ")" of its declared type, or -1 when it has no "(".
int DeclaredLength(const QString &declaredType)
{
    const qsizetype open = declaredType.indexOf(u'(');
    if (open < 0)
        return -1;
    const qsizetype close = declaredType.indexOf(u')', open);
    const QString inside = declaredType.mid(open + 1, close < 0 ? -1 : close - open - 1);
    bool ok = false;
    const int length = inside.toInt(&ok);
    if (!ok)
        throw TStoreError(QStringLiteral("'%1' is not a valid integer value").arg(inside));
    return qMax(length, 0);
}

bool IsTrimmable(QChar c)
{
    return c == u' ' || c.category() == QChar::Other_Control;
}

// Blanks and control characters (CR and LF among them) at both ends go.
QStringView Trimmed(QStringView text)
{
    while (!text.isEmpty() && IsTrimmable(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsTrimmable(text.back()))
        text.chop(1);
    return text;
}

} // namespace

TSQLQuery::TSQLQuery(TSQLConnection *connection) : connection_(connection)
{
    SQL.OnChange = [this] { Close(); };
    connection_->Attach(this);
}

TSQLQuery::~TSQLQuery()
{
    connection_->Detach(this);
}

void TSQLQuery::EnsureConnected()
{
    if (!connection_->Connected())
        connection_->Open();
}

void TSQLQuery::Close() noexcept
{
    statement_ = TStatement();
    fields_.clear();
    firstRowPending_ = false;
    atEnd_ = true;
}

void TSQLQuery::Open()
{
    Close();
    recordCount_ = -1;
    EnsureConnected();
    try {
        const QString text = ReplaceParameterMarkers(SQL.Text());
        statement_ = TStatement(connection_->Handle(), text);
        if (statement_.IsEmpty())
            throw TStoreError(kMissingQuery);
        // The first step types the columns. Its row is then delivered as the
        // first row, which is what rewinding and stepping again would give,
        // without running the statement's search a second time.
        firstRowPending_ = statement_.Step();
        atEnd_ = !firstRowPending_;
        TypeFields();
    } catch (...) {
        Close();
        throw;
    }
}

void TSQLQuery::TypeFields()
{
    const TSqliteApi &api = Sqlite();
    sqlite3_stmt *stmt = statement_.Handle();
    const int count = api.column_count(stmt);
    fields_.resize(count);
    for (int i = 0; i < count; ++i) {
        TFieldDef &field = fields_[i];
        const char *origin = api.column_origin_name(stmt, i);
        if (!origin) {
            field = TFieldDef{QStringLiteral("Column%1").arg(i), fkMemo, 0, false, false};
            continue;
        }
        const char *declared = nullptr;
        int notNull = 0, primaryKey = 0, autoIncrement = 0;
        check(connection_->Handle(),
              api.table_column_metadata(connection_->Handle(), api.column_database_name(stmt, i),
                                        api.column_table_name(stmt, i), origin, &declared, nullptr,
                                        &notNull, &primaryKey, &autoIncrement));
        field.Name = QString::fromUtf8(origin);
        field.Nullable = !notNull && !primaryKey;
        field.AutoIncrement = autoIncrement != 0;
        field.Size = 0;
        // Without rows the engine reports NULL for every column.
        switch (firstRowPending_ ? api.column_type(stmt, i) : SQLITE_NULL) {
        case SQLITE_INTEGER: field.Kind = fkInteger; break;
        case SQLITE_FLOAT: field.Kind = fkFloat; break;
        case SQLITE_BLOB: field.Kind = fkBytes; break;
        case SQLITE_TEXT: {
            const int length = DeclaredLength(QString::fromUtf8(declared ? declared : ""));
            field.Kind = length < 0 ? fkMemo : fkString;
            field.Size = qMax(length, 0);
            break;
        }
        default: field.Kind = fkMemo; break;
        }
    }
}

bool TSQLQuery::Fetch()
{
    if (firstRowPending_) {
        firstRowPending_ = false;
        return true;
    }
    if (atEnd_)
        return false;
    atEnd_ = !statement_.Step();
    return !atEnd_;
}

bool TSQLQuery::IsNull(int column) const
{
    return Sqlite().column_type(statement_.Handle(), column) == SQLITE_NULL;
}

QStringView TSQLQuery::Text(int column) const
{
    const TSqliteApi &api = Sqlite();
    sqlite3_stmt *stmt = statement_.Handle();
    const auto *chars = static_cast<const char16_t *>(api.column_text16(stmt, column));
    if (!chars) {
        CheckColumnMemory(stmt);
        return {};
    }
    QStringView text(chars, api.column_bytes16(stmt, column) / 2);
    const TFieldDef &field = fields_[column];
    if (field.Kind == fkString)
        text = LeftChars(text, field.Size);
    return text;
}

QByteArrayView TSQLQuery::Utf8Text(int column) const
{
    const TSqliteApi &api = Sqlite();
    sqlite3_stmt *stmt = statement_.Handle();
    const auto *chars = reinterpret_cast<const char *>(api.column_text(stmt, column));
    if (!chars) {
        CheckColumnMemory(stmt);
        return {};
    }
    QByteArrayView text(chars, api.column_bytes(stmt, column));
    const TFieldDef &field = fields_[column];
    if (field.Kind == fkString)
        text.truncate(Utf8LengthForUnits(text, field.Size));
    return text;
}

qint64 TSQLQuery::Integer(int column) const
{
    return Sqlite().column_int64(statement_.Handle(), column);
}

double TSQLQuery::Float(int column) const
{
    return Sqlite().column_double(statement_.Handle(), column);
}

QByteArray TSQLQuery::Bytes(int column) const
{
    const TSqliteApi &api = Sqlite();
    const auto *data = static_cast<const char *>(api.column_blob(statement_.Handle(), column));
    if (!data)
        CheckColumnMemory(statement_.Handle());
    return QByteArray(data, api.column_bytes(statement_.Handle(), column));
}

int TSQLQuery::RecordCount()
{
    if (recordCount_ != -1)
        return recordCount_;
    EnsureConnected();
    const QString countText = CountStatement(SQL.Text());
    recordCount_ = RunCount(Trimmed(countText));
    return recordCount_;
}

// The count statement for a statement text, or the reason there is none.
QString TSQLQuery::CountStatement(const QString &text) const
{
    if (text.isEmpty())
        throw TStoreError(kMissingQuery);
    const QString table = TableNameFromSQL(text);
    if (table.isEmpty() || CountParameterMarkers(text) > 0)
        throw TStoreError(kNotSupported);
    if (IndexOutsideQuotes(LowerCaseSimple(text), u" distinct ") >= 0)
        throw TStoreError(kNotSupported);
    return ComposeCountSQL(text, table, TSQLConnection::IdentifierQuote);
}

// Runs a count statement on its own statement object; every failure, the
// engine's included, becomes the one counting message.
int TSQLQuery::RunCount(QStringView countText)
{
    try {
        TStatement counter(connection_->Handle(), countText);
        if (counter.IsEmpty() || !counter.Step())
            throw TStoreError(kNotSupported);
        const TSqliteApi &api = Sqlite();
        const auto *chars = static_cast<const char16_t *>(api.column_text16(counter.Handle(), 0));
        bool ok = false;
        const int count = QStringView(chars, api.column_bytes16(counter.Handle(), 0) / 2).toInt(&ok);
        if (!ok)
            throw TStoreError(kNotSupported);
        return count;
    } catch (const TStoreError &error) {
        throw TStoreError(kNotSupported, error.code());
    }
}

std::optional<TTextForm> TSQLQuery::TextForm(int column) const
{
    const TSqliteApi &api = Sqlite();
    sqlite3_stmt *stmt = statement_.Handle();
    if (api.column_type(stmt, column) != SQLITE_TEXT)
        return std::nullopt;
    if (!api.value_encoding)
        return tfUtf16;
    // Reading a value's text in the other form converts the value in place,
    // and its encoding then tells the form asked for, not the database's;
    // hence only a value not read yet.
    return api.value_encoding(api.column_value(stmt, column)) == SQLITE_UTF8 ? tfUtf8 : tfUtf16;
}
