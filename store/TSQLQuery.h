#pragma once

#include "TFieldDef.h"
#include "TStatement.h"
#include "TStrings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <optional>
#include <vector>

class TSQLConnection;

// The statement component: a statement text as lines, executed against one
// connection and read forward row by row with typed columns.
//
// Every change of SQL closes the statement. Open compiles and executes the
// text and types the columns from the first row; Fetch then delivers the
// rows from the first on. All failures throw TStoreError; the destructor
// never throws. The connection is not owned and must outlive the query.
class TSQLQuery
{
public:
    // Registers with the connection, which closes the query whenever it is
    // closed itself.
    explicit TSQLQuery(TSQLConnection *connection);
    ~TSQLQuery();
    TSQLQuery(const TSQLQuery &) = delete;
    TSQLQuery &operator=(const TSQLQuery &) = delete;

    lexaran::store::TStrings SQL;

    // Opens the connection if it is closed, replaces parameter markers,
    // compiles the text (only its first statement runs) and executes it.
    // After a failure the statement is closed and the connection stays open.
    void Open();
    void Close() noexcept;
    bool Active() const noexcept { return !statement_.IsEmpty(); }

    // The columns of the open statement, typed from its first row.
    const std::vector<lexaran::store::TFieldDef> &Fields() const noexcept { return fields_; }

    // Moves to the next row (the first, after Open): true when there is one.
    bool Fetch();

    // Values of the current row by column position; valid until the next
    // Fetch. Text is cut to a string field's size (counted in UTF-16 units,
    // never half of a surrogate pair), and is a null view for NULL. Any
    // value reads as text, converted by the engine.
    bool IsNull(int column) const;
    QStringView Text(int column) const;
    // The same text in UTF-8, as the engine makes it from the value.
    QByteArrayView Utf8Text(int column) const;
    qint64 Integer(int column) const;
    double Float(int column) const;
    QByteArray Bytes(int column) const;

    // The number of rows that the statement's condition selects in its whole
    // table, through a derived count statement; cached until the next Open.
    // Throws TStoreError "Missing query, table name or procedure name" for an
    // empty text and "[0x0005]: Operation Not Supported" for every other
    // counting failure (an opening failure of the connection keeps its own).
    int RecordCount();

    // The form in which the engine holds the open statement's database
    // text, as the current row's value of `column` tells it: only a TEXT
    // value none of whose text has been read yet tells it, so this is empty
    // for any other value. An engine too old to tell (before 3.40.0) gets
    // tfUtf16, its own reading of every value. Runs no statement.
    std::optional<lexaran::store::TTextForm> TextForm(int column) const;

private:
    void TypeFields();
    void EnsureConnected();
    QString CountStatement(const QString &text) const;
    int RunCount(QStringView countText);

    TSQLConnection *connection_;
    lexaran::store::TStatement statement_;
    std::vector<lexaran::store::TFieldDef> fields_;
    bool firstRowPending_ = false;
    bool atEnd_ = true;
    int recordCount_ = -1;
};
